<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
    <context>
        <name>MainWindow</name>
        <message>
            <location filename="../../shell/main_window.cpp" line="89" />
            <source>vorn tsdb database gui client</source>
            <translation>vorn tsdb データベース GUI クライアント</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="125" />
            <source>toolBar</source>
            <translation>ツールバー</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="307" />
            <location filename="../../shell/main_window.cpp" line="311" />
            <source>reconnect information</source>
            <translation>再接続情報</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="307" />
            <source>reconnect sussesful!</source>
            <translation>再接続に成功しました!</translation>
        </message>
        <message>
            <location filename="../../shell/main_window.cpp" line="311" />
            <source>reconnect failed!</source>
            <translation>再接続に失敗しました!</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="32" />
            <source>the language change to Chinese, the application need restart, restart now?</source>
            <translation>言語を中国語に変更しました。アプリケーションの再起動が必要です。今すぐ再起動しますか?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="35" />
            <source>the language change to English, the application need restart, restart now?</source>
            <translation>言語を英語に変更しました。アプリケーションの再起動が必要です。今すぐ再起動しますか?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="38" />
            <source>the language change to Français, the application need restart, restart now?</source>
            <translation>言語をフランス語に変更しました。アプリケーションの再起動が必要です。今すぐ再起動しますか?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="41" />
            <source>the language change to Japanese, the application need restart, restart now?</source>
            <translation>言語を日本語に変更しました。アプリケーションの再起動が必要です。今すぐ再起動しますか?</translation>
        </message>
        <message>
            <location filename="../../shell/language_switch.cpp" line="59" />
            <source>language changed</source>
            <translation>言語が変更されました</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="61" />
            <source>open cmd file to execute</source>
            <translation>実行するコマンドファイルを開く</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="63" />
            <source>cmd files (*.tcd);;all files (*.*)</source>
            <translation>コマンドファイル (*.tcd);;すべてのファイル (*.*)</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="88" />
            <location filename="../../shell/cmd_files.cpp" line="99" />
            <source>execute infomation</source>
            <translation>実行情報</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="89" />
            <source>the cmd "%1" execute failed!</source>
            <translation>コマンド "%1" の実行に失敗しました!</translation>
        </message>
        <message>
            <location filename="../../shell/cmd_files.cpp" line="99" />
            <source>the cmd execute sussesful total!</source>
            <translation>すべてのコマンドの実行に成功しました!</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="14" />
            <source>successful</source>
            <translation>成功</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="14" />
            <source>failed</source>
            <translation>失敗</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="25" />
            <source>drop table warnning</source>
            <translation>テーブル削除の警告</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="26" />
            <source>drop table will delete table from server, do your want to drop table '%1' really?</source>
            <translation>テーブルを削除するとサーバーから削除されます。本当にテーブル '%1' を削除しますか?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="31" />
            <source>drop table result</source>
            <translation>テーブル削除の結果</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="32" />
            <source>drop table '%1' from database is %2!</source>
            <translation>データベースからのテーブル '%1' の削除は%2しました!</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="44" />
            <source>truncate table warnning</source>
            <translation>テーブル消去の警告</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="45" />
            <source>truncate table will clear all table 's data, do your want to truncate table '%1' really?</source>
            <translation>テーブルを消去するとすべてのデータが消えます。本当にテーブル '%1' を消去しますか?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="50" />
            <source>truncate table result</source>
            <translation>テーブル消去の結果</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="51" />
            <source>truncate table '%1' from database is %2!</source>
            <translation>データベースのテーブル '%1' の消去は%2しました!</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="62" />
            <source>delete field warnning</source>
            <translation>フィールド削除の警告</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="63" />
            <source>delete field will delete field from table, do your want to delete field '%2' from table '%1' really?</source>
            <translation>フィールドを削除するとテーブルから削除されます。本当にテーブル '%1' からフィールド '%2' を削除しますか?</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="70" />
            <source>delete field result</source>
            <translation>フィールド削除の結果</translation>
        </message>
        <message>
            <location filename="../../shell/table_ops.cpp" line="71" />
            <source>delete field '%1' from table '%2' is %3!</source>
            <translation>テーブル '%2' からのフィールド '%1' の削除は%3しました!</translation>
        </message>
        <message>
            <source>restore database warning</source>
            <translation>データベース復元の警告</translation>
        </message>
        <message>
            <source>restore will replace the whole database on the server with the file '%1': every table and row there now is lost. Do you want to restore really?</source>
            <translation>復元するとサーバー上のデータベース全体がファイル '%1' の内容に置き換わり、現在のテーブルと行はすべて失われます。本当に復元しますか？</translation>
        </message>
    </context>
    <context>
        <name>main_actions</name>
        <message>
            <location filename="../../shell/main_actions.cpp" line="40" />
            <source>new file(&amp;n)</source>
            <translation>新規ファイル(&amp;N)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="40" />
            <source>ctrl+n</source>
            <translation>Ctrl+N</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="41" />
            <source>open file(&amp;o)</source>
            <translation>ファイルを開く(&amp;O)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="41" />
            <source>ctrl+o</source>
            <translation>Ctrl+O</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="42" />
            <source>save file(&amp;s)</source>
            <translation>ファイルを保存(&amp;S)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="42" />
            <source>ctrl+s</source>
            <translation>Ctrl+S</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="43" />
            <source>save all files(&amp;a)</source>
            <translation>すべて保存(&amp;A)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="43" />
            <source>ctrl+shift+s</source>
            <translation>Ctrl+Shift+S</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="45" />
            <source>save as (&amp;b)</source>
            <translation>名前を付けて保存(&amp;B)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="46" />
            <source>close file(&amp;c)</source>
            <translation>ファイルを閉じる(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="46" />
            <source>ctrl+w</source>
            <translation>Ctrl+W</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="47" />
            <source>close all files(&amp;f)</source>
            <translation>すべてのファイルを閉じる(&amp;F)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="47" />
            <source>ctrl+shift+w</source>
            <translation>Ctrl+Shift+W</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="49" />
            <source>close except file(&amp;e)</source>
            <translation>他のファイルを閉じる(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="51" />
            <source>print file(&amp;p)</source>
            <translation>ファイルを印刷(&amp;P)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="51" />
            <source>ctrl+p</source>
            <translation>Ctrl+P</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="52" />
            <source>cluster manage(&amp;m)</source>
            <translation>クラスター管理(&amp;M)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="53" />
            <source>quit(&amp;q)</source>
            <translation>終了(&amp;Q)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="53" />
            <source>ctrl+q</source>
            <translation>Ctrl+Q</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="54" />
            <source>clear file list</source>
            <translation>ファイル一覧を消去</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="56" />
            <source>refresh(&amp;r)</source>
            <translation>更新表示(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="56" />
            <source>f5</source>
            <translation>F5</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="57" />
            <source>create table(&amp;c)</source>
            <translation>テーブル作成(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="57" />
            <source>f4</source>
            <translation>F4</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="59" />
            <source>reconnect(&amp;r)</source>
            <translation>再接続(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="60" />
            <source>backup(&amp;b)</source>
            <translation>バックアップ(&amp;B)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="61" />
            <source>restore(&amp;r)</source>
            <translation>復元(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="62" />
            <source>execute cmd(&amp;e)</source>
            <translation>コマンド実行(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="62" />
            <source>f6</source>
            <translation>F6</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="63" />
            <source>load table(&amp;l)</source>
            <translation>テーブル読み込み(&amp;L)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="65" />
            <source>drop(&amp;d)</source>
            <translation>削除(&amp;D)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="66" />
            <source>truncate(&amp;t)</source>
            <translation>消去(&amp;T)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="68" />
            <source>create field(&amp;c)</source>
            <translation>フィールド作成(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="69" />
            <source>view data(&amp;v)</source>
            <translation>データ表示(&amp;V)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="70" />
            <source>view field(&amp;v)</source>
            <translation>フィールド表示(&amp;V)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="71" />
            <source>import(&amp;i)</source>
            <translation>インポート(&amp;I)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="72" />
            <source>export(&amp;e)</source>
            <translation>エクスポート(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="73" />
            <source>save table(&amp;s)</source>
            <translation>テーブル保存(&amp;S)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="75" />
            <source>delete(&amp;d)</source>
            <translation>削除(&amp;D)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="76" />
            <source>rename(&amp;r)</source>
            <translation>名前変更(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="77" />
            <source>modify(&amp;m)</source>
            <translation>変更(&amp;M)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="79" />
            <source>cut(&amp;t)</source>
            <translation>切り取り(&amp;T)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="79" />
            <source>ctrl+x</source>
            <translation>Ctrl+X</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="80" />
            <source>copy(&amp;c)</source>
            <translation>コピー(&amp;C)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="80" />
            <source>ctrl+c</source>
            <translation>Ctrl+C</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="81" />
            <source>paste(&amp;p)</source>
            <translation>貼り付け(&amp;P)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="81" />
            <source>ctrl+v</source>
            <translation>Ctrl+V</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="82" />
            <source>redo(&amp;r)</source>
            <translation>やり直し(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="82" />
            <source>ctrl+y</source>
            <translation>Ctrl+Y</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="83" />
            <source>undo(&amp;u)</source>
            <translation>元に戻す(&amp;U)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="83" />
            <source>ctrl+z</source>
            <translation>Ctrl+Z</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="84" />
            <source>goto error(&amp;g)</source>
            <translation>エラーへ移動(&amp;G)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="84" />
            <source>ctrl+e</source>
            <translation>Ctrl+E</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="85" />
            <source>line begin</source>
            <translation>行頭</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="86" />
            <source>line end</source>
            <translation>行末</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="87" />
            <source>word begin</source>
            <translation>単語の先頭</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="88" />
            <source>word end</source>
            <translation>単語の末尾</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="89" />
            <source>delete selection</source>
            <translation>選択範囲を削除</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="90" />
            <source>select beside</source>
            <translation>隣接部分を選択</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="91" />
            <source>select all</source>
            <translation>すべて選択</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="91" />
            <source>ctrl+a</source>
            <translation>Ctrl+A</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="92" />
            <source>select line</source>
            <translation>行を選択</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="93" />
            <source>select word</source>
            <translation>単語を選択</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="94" />
            <source>execute selection</source>
            <translation>選択範囲を実行</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="95" />
            <source>execute current line</source>
            <translation>現在の行を実行</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="95" />
            <source>f7</source>
            <translation>F7</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="96" />
            <source>format selection</source>
            <translation>選択範囲を整形</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="97" />
            <source>find</source>
            <translation>検索</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="97" />
            <source>ctrl+f</source>
            <translation>Ctrl+F</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="98" />
            <source>replace</source>
            <translation>置換</translation>
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
            <translation>データベース</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="104" />
            <source>log</source>
            <translation>ログ</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="105" />
            <source>toolbar(&amp;t)</source>
            <translation>ツールバー(&amp;T)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="106" />
            <source>statusbar(&amp;s)</source>
            <translation>ステータスバー(&amp;S)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="108" />
            <source>fullscreen(&amp;f)</source>
            <translation>全画面(&amp;F)</translation>
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
            <translation>環境設定(&amp;P)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="117" />
            <source>online reference(&amp;o)</source>
            <translation>オンラインリファレンス(&amp;O)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="118" />
            <source>local(&amp;l)</source>
            <translation>ローカル文書(&amp;L)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="119" />
            <source>update(&amp;u)</source>
            <translation>アップデート(&amp;U)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="120" />
            <source>about(&amp;a)</source>
            <translation>バージョン情報(&amp;A)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="125" />
            <source>file(&amp;f)</source>
            <translation>ファイル(&amp;F)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="129" />
            <source>open recent files(&amp;r)</source>
            <translation>最近使ったファイル(&amp;R)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="142" />
            <source>database(&amp;d)</source>
            <translation>データベース(&amp;D)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="150" />
            <source>edit(&amp;e)</source>
            <translation>編集(&amp;E)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="164" />
            <source>view(&amp;v)</source>
            <translation>表示(&amp;V)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="166" />
            <source>icon(&amp;i)</source>
            <translation>アイコン(&amp;I)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="170" />
            <source>window</source>
            <translation>ウィンドウ</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="177" />
            <source>option(&amp;o)</source>
            <translation>オプション(&amp;O)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="179" />
            <source>language</source>
            <translation>言語</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="185" />
            <source>help(&amp;h)</source>
            <translation>ヘルプ(&amp;H)</translation>
        </message>
        <message>
            <location filename="../../shell/main_actions.cpp" line="187" />
            <source>document(&amp;d)</source>
            <translation>ドキュメント(&amp;D)</translation>
        </message>
    </context>
    <context>
        <name>log_pane_menu</name>
        <message>
            <source>clear</source>
            <translation>クリア</translation>
        </message>
        <message>
            <source>only my commands</source>
            <translation>自分のコマンドのみ</translation>
        </message>
    </context>
</TS>
