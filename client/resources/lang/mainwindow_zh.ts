<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>MainWindow</name>
        <message>
            <location filename="../../shell/main_window.cpp" line="89" />
            <source>vorn tsdb database gui client</source>
            <translation>vorn 时序数据库图形客户端</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="125" />
            <source>toolBar</source>
            <translation>工具栏</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="307" />
            <location filename="../../shell/main_window.cpp" line="311" />
            <source>reconnect information</source>
            <translation>重新连接信息</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="307" />
            <source>reconnect sussesful!</source>
            <translation>重新连接成功!</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="311" />
            <source>reconnect failed!</source>
            <translation>重新连接失败!</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="32" />
            <source>the language change to Chinese, the application need restart, restart now?</source>
            <translation>语言已改为中文,应用程序需要重新启动,现在重启吗?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="35" />
            <source>the language change to English, the application need restart, restart now?</source>
            <translation>语言已改为英文,应用程序需要重新启动,现在重启吗?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="38" />
            <source>the language change to Français, the application need restart, restart now?</source>
            <translation>语言已改为法文,应用程序需要重新启动,现在重启吗?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="41" />
            <source>the language change to Japanese, the application need restart, restart now?</source>
            <translation>语言已改为日文,应用程序需要重新启动,现在重启吗?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="59" />
            <source>language changed</source>
            <translation>语言已更改</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="61" />
            <source>open cmd file to execute</source>
            <translation>打开要执行的命令文件</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="63" />
            <source>cmd files (*.tcd);;all files (*.*)</source>
            <translation>命令文件 (*.tcd);;所有文件 (*.*)</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="88" />
            <location filename="../../shell/cmd_files.cpp" line="99" />
            <source>execute infomation</source>
            <translation>执行信息</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="89" />
            <source>the cmd "%1" execute failed!</source>
            <translation>命令 "%1" 执行失败!</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="99" />
            <source>the cmd execute sussesful total!</source>
            <translation>命令全部执行成功!</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="14" />
            <source>successful</source>
            <translation>成功</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="14" />
            <source>failed</source>
            <translation>失败</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="25" />
            <source>drop table warnning</source>
            <translation>删除表警告</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="26" />
            <source>drop table will delete table from server, do your want to drop table '%1' really?</source>
            <translation>删除表将从服务器上删除该表,确定要删除表 '%1' 吗?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="31" />
            <source>drop table result</source>
            <translation>删除表结果</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="32" />
            <source>drop table '%1' from database is %2!</source>
            <translation>从数据库删除表 '%1' %2!</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="44" />
            <source>truncate table warnning</source>
            <translation>清空表警告</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="45" />
            <source>truncate table will clear all table 's data, do your want to truncate table '%1' really?</source>
            <translation>清空表将清除表中的所有数据,确定要清空表 '%1' 吗?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="50" />
            <source>truncate table result</source>
            <translation>清空表结果</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="51" />
            <source>truncate table '%1' from database is %2!</source>
            <translation>清空数据库中的表 '%1' %2!</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="62" />
            <source>delete field warnning</source>
            <translation>删除字段警告</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="63" />
            <source>delete field will delete field from table, do your want to delete field '%2' from table '%1' really?</source>
            <translation>删除字段将从表中删除该字段,确定要从表 '%1' 删除字段 '%2' 吗?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="70" />
            <source>delete field result</source>
            <translation>删除字段结果</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="71" />
            <source>delete field '%1' from table '%2' is %3!</source>
            <translation>从表 '%2' 删除字段 '%1' %3!</translation>
        </message>
        <message>
            <source>restore database warning</source>
            <translation>恢复数据库警告</translation>
        </message>
        <message>
            <source>restore will replace the whole database on the server with the file '%1': every table and row there now is lost. Do you want to restore really?</source>
            <translation>恢复将用文件“%1”替换服务器上的整个数据库：服务器上现有的所有表和行都会丢失。确定要恢复吗？</translation>
        </message>
    </context>
    <context>
        <name>main_actions</name>
        <message>
            <location filename="../../shell/main_actions.cpp" line="40" />
            <source>new file(&amp;n)</source>
            <translation>新建文件(&amp;N)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="40" />
            <source>ctrl+n</source>
            <translation>Ctrl+N</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="41" />
            <source>open file(&amp;o)</source>
            <translation>打开文件(&amp;O)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="41" />
            <source>ctrl+o</source>
            <translation>Ctrl+O</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="42" />
            <source>save file(&amp;s)</source>
            <translation>保存文件(&amp;S)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="42" />
            <source>ctrl+s</source>
            <translation>Ctrl+S</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="43" />
            <source>save all files(&amp;a)</source>
            <translation>全部保存(&amp;A)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="43" />
            <source>ctrl+shift+s</source>
            <translation>Ctrl+Shift+S</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="45" />
            <source>save as (&amp;b)</source>
            <translation>另存为(&amp;B)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="46" />
            <source>close file(&amp;c)</source>
            <translation>关闭文件(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="46" />
            <source>ctrl+w</source>
            <translation>Ctrl+W</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="47" />
            <source>close all files(&amp;f)</source>
            <translation>关闭所有文件(&amp;F)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="47" />
            <source>ctrl+shift+w</source>
            <translation>Ctrl+Shift+W</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="49" />
            <source>close except file(&amp;e)</source>
            <translation>关闭其他文件(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="51" />
            <source>print file(&amp;p)</source>
            <translation>打印文件(&amp;P)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="51" />
            <source>ctrl+p</source>
            <translation>Ctrl+P</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="52" />
            <source>cluster manage(&amp;m)</source>
            <translation>集群管理(&amp;M)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="53" />
            <source>quit(&amp;q)</source>
            <translation>退出(&amp;Q)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="53" />
            <source>ctrl+q</source>
            <translation>Ctrl+Q</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="54" />
            <source>clear file list</source>
            <translation>清除文件列表</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="56" />
            <source>refresh(&amp;r)</source>
            <translation>刷新(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="56" />
            <source>f5</source>
            <translation>F5</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="57" />
            <source>create table(&amp;c)</source>
            <translation>创建表(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="57" />
            <source>f4</source>
            <translation>F4</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="59" />
            <source>reconnect(&amp;r)</source>
            <translation>重新连接(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="60" />
            <source>backup(&amp;b)</source>
            <translation>备份(&amp;B)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="61" />
            <source>restore(&amp;r)</source>
            <translation>恢复(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="62" />
            <source>execute cmd(&amp;e)</source>
            <translation>执行命令文件(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="62" />
            <source>f6</source>
            <translation>F6</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="63" />
            <source>load table(&amp;l)</source>
            <translation>加载表(&amp;L)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="65" />
            <source>drop(&amp;d)</source>
            <translation>删除(&amp;D)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="66" />
            <source>truncate(&amp;t)</source>
            <translation>清空(&amp;T)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="68" />
            <source>create field(&amp;c)</source>
            <translation>创建字段(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="69" />
            <source>view data(&amp;v)</source>
            <translation>查看数据(&amp;V)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="70" />
            <source>view field(&amp;v)</source>
            <translation>查看字段(&amp;V)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="71" />
            <source>import(&amp;i)</source>
            <translation>导入(&amp;I)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="72" />
            <source>export(&amp;e)</source>
            <translation>导出(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="73" />
            <source>save table(&amp;s)</source>
            <translation>保存表(&amp;S)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="75" />
            <source>delete(&amp;d)</source>
            <translation>删除(&amp;D)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="76" />
            <source>rename(&amp;r)</source>
            <translation>重命名(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="77" />
            <source>modify(&amp;m)</source>
            <translation>修改(&amp;M)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="79" />
            <source>cut(&amp;t)</source>
            <translation>剪切(&amp;T)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="79" />
            <source>ctrl+x</source>
            <translation>Ctrl+X</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="80" />
            <source>copy(&amp;c)</source>
            <translation>复制(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="80" />
            <source>ctrl+c</source>
            <translation>Ctrl+C</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="81" />
            <source>paste(&amp;p)</source>
            <translation>粘贴(&amp;P)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="81" />
            <source>ctrl+v</source>
            <translation>Ctrl+V</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="82" />
            <source>redo(&amp;r)</source>
            <translation>重做(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="82" />
            <source>ctrl+y</source>
            <translation>Ctrl+Y</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="83" />
            <source>undo(&amp;u)</source>
            <translation>撤销(&amp;U)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="83" />
            <source>ctrl+z</source>
            <translation>Ctrl+Z</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="84" />
            <source>goto error(&amp;g)</source>
            <translation>转到错误(&amp;G)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="84" />
            <source>ctrl+e</source>
            <translation>Ctrl+E</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="85" />
            <source>line begin</source>
            <translation>行首</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="86" />
            <source>line end</source>
            <translation>行尾</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="87" />
            <source>word begin</source>
            <translation>词首</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="88" />
            <source>word end</source>
            <translation>词尾</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="89" />
            <source>delete selection</source>
            <translation>删除选中内容</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="90" />
            <source>select beside</source>
            <translation>选择相邻内容</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="91" />
            <source>select all</source>
            <translation>全选</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="91" />
            <source>ctrl+a</source>
            <translation>Ctrl+A</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="92" />
            <source>select line</source>
            <translation>选择行</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="93" />
            <source>select word</source>
            <translation>选择单词</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="94" />
            <source>execute selection</source>
            <translation>执行选中内容</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="95" />
            <source>execute current line</source>
            <translation>执行当前行</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="95" />
            <source>f7</source>
            <translation>F7</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="96" />
            <source>format selection</source>
            <translation>格式化选中内容</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="97" />
            <source>find</source>
            <translation>查找</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="97" />
            <source>ctrl+f</source>
            <translation>Ctrl+F</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="98" />
            <source>replace</source>
            <translation>替换</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="98" />
            <source>ctrl+h</source>
            <translation>Ctrl+H</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="100" />
            <source>big(&amp;b)</source>
            <translation>大(&amp;B)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="101" />
            <source>normal(&amp;n)</source>
            <translation>中(&amp;N)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="102" />
            <source>small(&amp;s)</source>
            <translation>小(&amp;S)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="103" />
            <source>database</source>
            <translation>数据库</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="104" />
            <source>log</source>
            <translation>日志</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="105" />
            <source>toolbar(&amp;t)</source>
            <translation>工具栏(&amp;T)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="106" />
            <source>statusbar(&amp;s)</source>
            <translation>状态栏(&amp;S)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="108" />
            <source>fullscreen(&amp;f)</source>
            <translation>全屏(&amp;F)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="109" />
            <source>Ctrl+Shift+F11</source>
            <translation>Ctrl+Shift+F11</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="111" />
            <source> 简体中文(&amp;z)</source>
            <translation> 简体中文(&amp;Z)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="112" />
            <source>English(&amp;e)</source>
            <translation>English(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="113" />
            <source>Français(&amp;f)</source>
            <translation>Français(&amp;F)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="114" />
            <source>JP(&amp;j)</source>
            <translation>日本語(&amp;J)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="115" />
            <source>preference(&amp;p)</source>
            <translation>首选项(&amp;P)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="117" />
            <source>online reference(&amp;o)</source>
            <translation>在线参考(&amp;O)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="118" />
            <source>local(&amp;l)</source>
            <translation>本地文档(&amp;L)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="119" />
            <source>update(&amp;u)</source>
            <translation>检查更新(&amp;U)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="120" />
            <source>about(&amp;a)</source>
            <translation>关于(&amp;A)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="125" />
            <source>file(&amp;f)</source>
            <translation>文件(&amp;F)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="129" />
            <source>open recent files(&amp;r)</source>
            <translation>最近打开的文件(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="142" />
            <source>database(&amp;d)</source>
            <translation>数据库(&amp;D)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="150" />
            <source>edit(&amp;e)</source>
            <translation>编辑(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="164" />
            <source>view(&amp;v)</source>
            <translation>视图(&amp;V)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="166" />
            <source>icon(&amp;i)</source>
            <translation>图标(&amp;I)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="170" />
            <source>window</source>
            <translation>窗口</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="177" />
            <source>option(&amp;o)</source>
            <translation>选项(&amp;O)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="179" />
            <source>language</source>
            <translation>语言</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="185" />
            <source>help(&amp;h)</source>
            <translation>帮助(&amp;H)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="187" />
            <source>document(&amp;d)</source>
            <translation>文档(&amp;D)</translation>
        </message>
    </context>
    <context>
        <name>log_pane_menu</name>
        <message>
            <source>clear</source>
            <translation>清空</translation>
        </message>
        <message>
            <source>only my commands</source>
            <translation>只显示我的命令</translation>
        </message>
    </context>
</TS>
