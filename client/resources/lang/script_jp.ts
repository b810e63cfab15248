<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>cmd_file_tabs</name>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="23"/>
        <source>cmd files (*.tcd);;all files (*.*)</source>
        <translation>コマンドファイル (*.tcd);;すべてのファイル (*.*)</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="122"/>
        <source>set cmd file&apos;s location</source>
        <translation>コマンドファイルの保存先を設定</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="139"/>
        <source>open cmd file to script editor</source>
        <translation>コマンドファイルをスクリプトエディタで開く</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="154"/>
        <source>file not exists</source>
        <translation>ファイルが存在しません</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="155"/>
        <source>the file is not exists do your want to create new file?</source>
        <translation>ファイルが存在しません。新しいファイルを作成しますか？</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="204"/>
        <source>save as cmd file to location</source>
        <translation>コマンドファイルに名前を付けて保存</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="213"/>
        <source>file path is same</source>
        <translation>ファイルパスが同じです</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="214"/>
        <source>the selected path is same as original!</source>
        <translation>選択したパスは元のパスと同じです！</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="220"/>
        <source>file is open</source>
        <translation>ファイルは開いています</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="221"/>
        <source>the selected file is open in another tab!</source>
        <translation>選択したファイルは別のタブで開いています！</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="258"/>
        <source>save file result</source>
        <translation>ファイル保存の結果</translation>
    </message>
    <message>
        <location filename="../../shell/cmd_file_tabs.cpp" line="259"/>
        <source>save file &quot;%1&quot; is failed, the file stays open!</source>
        <translation>ファイル「%1」の保存に失敗しました。ファイルは開いたままです！</translation>
    </message>
</context>
<context>
    <name>cmd_script_editor</name>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="58"/>
        <source>execute(&amp;e)</source>
        <translation>実行(&amp;e)</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="60"/>
        <source>Ctrl+Return</source>
        <translation>Ctrl+Return</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="83"/>
        <source>copy current text</source>
        <translation>現在のテキストをコピー</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="84"/>
        <source>close all</source>
        <translation>すべて閉じる</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="85"/>
        <source>close current</source>
        <translation>現在のタブを閉じる</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="86"/>
        <source>export current data</source>
        <translation>現在のデータをエクスポート</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="87"/>
        <location filename="../../script/cmd_script_editor.cpp" line="342"/>
        <source>export current windows execute result to csv/csvs file</source>
        <translation>現在のウィンドウの実行結果を csv/csvs ファイルにエクスポート</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="223"/>
        <location filename="../../script/cmd_script_editor.cpp" line="228"/>
        <location filename="../../script/cmd_script_editor.cpp" line="232"/>
        <source>execute infomation</source>
        <translation>実行情報</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="224"/>
        <source>the cmd &quot;%1&quot; execute failed!</source>
        <translation>コマンド「%1」の実行に失敗しました！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="229"/>
        <source>the cmd execute is cancelled after %1 of %2 commands!</source>
        <translation>%2 件中 %1 件のコマンドを実行した後、実行を取り消しました！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="232"/>
        <source>the cmd execute sussesful total!</source>
        <translation>すべてのコマンドの実行に成功しました！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="252"/>
        <source>find text</source>
        <translation>テキストを検索</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="253"/>
        <source>ctrl+shift+f</source>
        <translation>ctrl+shift+f</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="344"/>
        <source>csv files (*.csv);;csvs files (*.csvs)</source>
        <translation>csv ファイル (*.csv);;csvs ファイル (*.csvs)</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="350"/>
        <source>export data result</source>
        <translation>データエクスポートの結果</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="351"/>
        <source>export current data to file &apos;%1&apos; is %2!</source>
        <translation>現在のデータのファイル「%1」へのエクスポートは%2！</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="352"/>
        <source>successful</source>
        <translation>成功しました</translation>
    </message>
    <message>
        <location filename="../../script/cmd_script_editor.cpp" line="352"/>
        <source>failed</source>
        <translation>失敗しました</translation>
    </message>
</context>
<context>
    <name>exec_cmd_file</name>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="33"/>
        <location filename="../../shell/exec_cmd_file.cpp" line="38"/>
        <location filename="../../shell/exec_cmd_file.cpp" line="41"/>
        <source>execute infomation</source>
        <translation>実行情報</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="34"/>
        <source>the cmd &quot;%1&quot; execute failed!</source>
        <translation>コマンド「%1」の実行に失敗しました！</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="39"/>
        <source>the cmd execute is cancelled after %1 of %2 lines!</source>
        <translation>%2 行中 %1 行を実行した後、実行を取り消しました！</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="41"/>
        <source>the cmd execute sussesful total!</source>
        <translation>すべてのコマンドの実行に成功しました！</translation>
    </message>
    <message>
        <location filename="../../shell/exec_cmd_file.cpp" line="50"/>
        <source>open cmd file to execute</source>
        <translation>実行するコマンドファイルを開く</translation>
    </message>
</context>
<context>
    <name>script_runner</name>
    <message>
        <location filename="../../script/script_runner.cpp" line="85"/>
        <source>executing commands...</source>
        <translation>コマンドを実行しています...</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="85"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="86"/>
        <source>execute infomation</source>
        <translation>実行情報</translation>
    </message>
    <message>
        <location filename="../../script/script_runner.cpp" line="97"/>
        <source>%1 of %2 commands done</source>
        <translation>%2 件中 %1 件のコマンドを実行済み</translation>
    </message>
</context>
</TS>
