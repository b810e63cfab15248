<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>cmd_file_tabs</name>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="23"/>
        <source>cmd files (*.tcd);;all files (*.*)</source>
        <translation>命令文件 (*.tcd);;所有文件 (*.*)</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="122"/>
        <source>set cmd file&apos;s location</source>
        <translation>设置命令文件的位置</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="139"/>
        <source>open cmd file to script editor</source>
        <translation>在脚本编辑器中打开命令文件</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="154"/>
        <source>file not exists</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="155"/>
        <source>the file is not exists do your want to create new file?</source>
        <translation>该文件不存在，是否创建新文件？</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="204"/>
        <source>save as cmd file to location</source>
        <translation>将命令文件另存为</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="213"/>
        <source>file path is same</source>
        <translation>文件路径相同</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="214"/>
        <source>the selected path is same as original!</source>
        <translation>所选路径与原路径相同！</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="220"/>
        <source>file is open</source>
        <translation>文件已打开</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="221"/>
        <source>the selected file is open in another tab!</source>
        <translation>所选文件已在另一个标签页中打开！</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="258"/>
        <source>save file result</source>
        <translation>保存文件结果</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="259"/>
        <source>save file &quot;%1&quot; is failed, the file stays open!</source>
        <translation>保存文件“%1”失败，文件保持打开！</translation>
    </message>
</context>
<context>
    <name>cmd_script_editor</name>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="58"/>
        <source>execute(&amp;e)</source>
        <translation>执行(&amp;e)</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="60"/>
        <source>Ctrl+Return</source>
        <translation>Ctrl+Return</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="83"/>
        <source>copy current text</source>
        <translation>复制当前文本</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="84"/>
        <source>close all</source>
        <translation>全部关闭</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="85"/>
        <source>close current</source>
        <translation>关闭当前</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="86"/>
        <source>export current data</source>
        <translation>导出当前数据</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="87"/>
        <location filename="../../script/cmd_script_editor.cpp" line="342"/>
        <source>export current windows execute result to csv/csvs file</source>
        <translation>将当前窗口的执行结果导出为 csv/csvs 文件</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="223"/>
        <location filename="../../script/cmd_script_editor.cpp" line="228"/>
        <location filename="../../script/cmd_script_editor.cpp" line="232"/>
        <source>execute infomation</source>
        <translation>执行信息</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="224"/>
        <source>the cmd &quot;%1&quot; execute failed!</source>
        <translation>命令“%1”执行失败！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="229"/>
        <source>the cmd execute is cancelled after %1 of %2 commands!</source>
        <translation>命令执行已取消，已执行 %1 / %2 条命令！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="232"/>
        <source>the cmd execute sussesful total!</source>
        <translation>全部命令执行成功！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="252"/>
        <source>find text</source>
        <translation>查找文本</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="253"/>
        <source>ctrl+shift+f</source>
        <translation>ctrl+shift+f</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="344"/>
        <source>csv files (*.csv);;csvs files (*.csvs)</source>
        <translation>csv 文件 (*.csv);;csvs 文件 (*.csvs)</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="350"/>
        <source>export data result</source>
        <translation>导出数据结果</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="351"/>
        <source>export current data to file &apos;%1&apos; is %2!</source>
        <translation>导出当前数据到文件“%1”%2！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="352"/>
        <source>successful</source>
        <translation>成功</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="352"/>
        <source>failed</source>
        <translation>失败</translation>
    </message>
</context>
<context>
    <name>exec_cmd_file</name>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="33"/>
        <location filename="../../shell/exec_cmd_file.cpp" line="38"/>
        <location filename="../../shell/exec_cmd_file.cpp" line="41"/>
        <source>execute infomation</source>
        <translation>执行信息</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="34"/>
        <source>the cmd &quot;%1&quot; execute failed!</source>
        <translation>命令“%1”执行失败！</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="39"/>
        <source>the cmd execute is cancelled after %1 of %2 lines!</source>
        <translation>命令执行已取消，已执行 %1 / %2 行！</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="41"/>
        <source>the cmd execute sussesful total!</source>
        <translation>全部命令执行成功！</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="50"/>
        <source>open cmd file to execute</source>
        <translation>打开要执行的命令文件</translation>
    </message>
</context>
<context>
    <name>script_runner</name>
    <message>
        <location filename="../../script/script_runner.cpp" line="85"/>
        <source>executing commands...</source>
        <translation>正在执行命令……</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="85"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="86"/>
        <source>execute infomation</source>
        <translation>执行信息</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="97"/>
        <source>%1 of %2 commands done</source>
        <translation>已完成 %1 / %2 条命令</translation>
    </message>
</context>
</TS>
