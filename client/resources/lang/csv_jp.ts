<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>path_groups</name>
    <message>
        <source>Path</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>クライアント</translation>
    </message>
</context>
<context>
    <name>import_csv_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Server(note: the file is in remote server)</source>
        <translation>サーバー(注意：ファイルはリモートサーバー上にあります)</translation>
    </message>
    <message>
        <source>Spliter</source>
        <translation>区切り文字</translation>
    </message>
    <message>
        <source>space</source>
        <translation>スペース</translation>
    </message>
    <message>
        <source>replace mode</source>
        <translation>置換モード</translation>
    </message>
    <message>
        <source>format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>csv files (*.csv);;csvs files (*.csvs);;all files (*.*)</source>
        <translation>csv ファイル (*.csv);;csvs ファイル (*.csvs);;すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>set csv/csvs file's path</source>
        <translation>csv/csvs ファイルのパスを設定</translation>
    </message>
    <message>
        <source>select csv/csvs file</source>
        <translation>csv/csvs ファイルを選択</translation>
    </message>
    <message>
        <source>export path information</source>
        <translation>エクスポートパス情報</translation>
    </message>
    <message>
        <source>import path information</source>
        <translation>インポートパス情報</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>入力されたパスが空です。</translation>
    </message>
</context>
<context>
    <name>file_mode_questions</name>
    <message>
        <source>client mode information</source>
        <translation>クライアントモード情報</translation>
    </message>
    <message>
        <source>note: change to client mode will use &lt;span style='color:orange'&gt;big memory&lt;/span&gt; for transform, should not use for &lt;span style='color:orange'&gt;big data&lt;/span&gt;, do you want to continue?</source>
        <translation>注意：クライアントモードでは転送に&lt;span style='color:orange'&gt;大量のメモリ&lt;/span&gt;を使用するため、&lt;span style='color:orange'&gt;大きなデータ&lt;/span&gt;には使用しないでください。続行しますか？</translation>
    </message>
    <message>
        <source>note: change to client mode will use &lt;span style='color:orange'&gt;big memory&lt;/span&gt; store all data for transform, should not use for &lt;span style='color:orange'&gt;big data&lt;/span&gt;, do you want to continue?</source>
        <translation>注意：クライアントモードでは転送のためにすべてのデータを&lt;span style='color:orange'&gt;メモリ&lt;/span&gt;に保持するため、&lt;span style='color:orange'&gt;大きなデータ&lt;/span&gt;には使用しないでください。続行しますか？</translation>
    </message>
    <message>
        <source>replace mode information</source>
        <translation>置換モード情報</translation>
    </message>
    <message>
        <source>note: the replace mode will &lt;span style='color:orange'&gt;replace exists file&lt;/span&gt;, continue?</source>
        <translation>注意：置換モードでは&lt;span style='color:orange'&gt;既存のファイルを上書き&lt;/span&gt;します。続行しますか？</translation>
    </message>
</context>
<context>
    <name>tab_file_dlg</name>
    <message>
        <source>format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>backup files (*.sbk);;all files (*.*)</source>
        <translation>バックアップファイル (*.sbk);;すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>bin files (*.bin);;cmd files (*.tcd);;all files (*.*)</source>
        <translation>bin ファイル (*.bin);;cmd ファイル (*.tcd);;すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>cmd files (*.tcd);;bin files (*.bin);;all files (*.*)</source>
        <translation>cmd ファイル (*.tcd);;bin ファイル (*.bin);;すべてのファイル (*.*)</translation>
    </message>
    <message>
        <source>select database file's path</source>
        <translation>データベースファイルを選択</translation>
    </message>
    <message>
        <source>select table file's path</source>
        <translation>テーブルファイルを選択</translation>
    </message>
    <message>
        <source>set database file's path</source>
        <translation>データベースファイルのパスを設定</translation>
    </message>
    <message>
        <source>set table file's path</source>
        <translation>テーブルファイルのパスを設定</translation>
    </message>
</context>
<context>
    <name>save_tab_dlg</name>
    <message>
        <source>Replace Mode</source>
        <translation>置換モード</translation>
    </message>
    <message>
        <source>Server(note the input path is in remote server)</source>
        <translation>サーバー(注意：入力パスはリモートサーバー上です)</translation>
    </message>
    <message>
        <source>cmd</source>
        <translation>cmd</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>パス情報</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>入力されたパスが空です。</translation>
    </message>
</context>
<context>
    <name>load_tab_dlg</name>
    <message>
        <source>table name</source>
        <translation>テーブル名</translation>
    </message>
    <message>
        <source>Server(note the input path is in remote server)</source>
        <translation>サーバー(注意：入力パスはリモートサーバー上です)</translation>
    </message>
    <message>
        <source>cmd</source>
        <translation>cmd</translation>
    </message>
    <message>
        <source>table name information</source>
        <translation>テーブル名情報</translation>
    </message>
    <message>
        <source>the input table's name is empty.</source>
        <translation>入力されたテーブル名が空です。</translation>
    </message>
    <message>
        <source>table path information</source>
        <translation>テーブルパス情報</translation>
    </message>
    <message>
        <source>the input table's path is empty.</source>
        <translation>入力されたテーブルのパスが空です。</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>パス情報</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>入力されたパスが空です。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Client</source>
        <translation>クライアント</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>サーバー</translation>
    </message>
    <message>
        <source>client mode information</source>
        <translation>クライアントモード情報</translation>
    </message>
    <message>
        <source>the file '%1' has %2 MiB, more than the %3 MiB the client mode can move; please use the server mode for it.</source>
        <translation>ファイル '%1' は %2 MiB で、クライアントモードで転送できる %3 MiB を超えています。サーバーモードを使用してください。</translation>
    </message>
    <message>
        <source>save table '%1' to file</source>
        <translation>テーブル '%1' をファイルに保存</translation>
    </message>
    <message>
        <source>save table result</source>
        <translation>テーブル保存の結果</translation>
    </message>
    <message>
        <source>save table '%1' to file '%2' is %3!</source>
        <translation>テーブル '%1' のファイル '%2' への保存は %3！</translation>
    </message>
    <message>
        <source>backup database to file</source>
        <translation>データベースをファイルにバックアップ</translation>
    </message>
    <message>
        <source>backup result(%1)</source>
        <translation>バックアップの結果(%1)</translation>
    </message>
    <message>
        <source>backup database to file '%1' is %2!</source>
        <translation>データベースのファイル '%1' へのバックアップは %2！</translation>
    </message>
    <message>
        <source>load table from file</source>
        <translation>ファイルからテーブルを読み込む</translation>
    </message>
    <message>
        <source>load table result</source>
        <translation>テーブル読み込みの結果</translation>
    </message>
    <message>
        <source>load file '%1' to as table '%2' is %3!</source>
        <translation>ファイル '%1' のテーブル '%2' としての読み込みは %3！</translation>
    </message>
    <message>
        <source>load file '%1' as table is %2!</source>
        <translation>ファイル '%1' のテーブルとしての読み込みは %2！</translation>
    </message>
    <message>
        <source>restore database from file</source>
        <translation>ファイルからデータベースを復元</translation>
    </message>
    <message>
        <source>restore result(%1)</source>
        <translation>復元の結果(%1)</translation>
    </message>
    <message>
        <source>restore database frome file '%1' is %2!</source>
        <translation>ファイル '%1' からのデータベース復元は %2！</translation>
    </message>
    <message>
        <source>import data from csv/csvs file to table: %1</source>
        <translation>csv/csvs ファイルからテーブルへデータをインポート: %1</translation>
    </message>
    <message>
        <source>import table result</source>
        <translation>インポートの結果</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2' is %3!</source>
        <translation>ファイル '%1' のテーブル '%2' へのインポートは %3！</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2'</source>
        <translation>ファイル '%1' をテーブル '%2' へインポート中</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>%1 of %2 rows imported.</source>
        <translation>%2 行中 %1 行をインポートしました。</translation>
    </message>
    <message>
        <source>export table: %1 to csv/csvs file</source>
        <translation>テーブル: %1 を csv/csvs ファイルへエクスポート</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>エクスポートの結果</translation>
    </message>
    <message>
        <source>export table '%1' to file '%2' is %3!</source>
        <translation>テーブル '%1' のファイル '%2' へのエクスポートは %3！</translation>
    </message>
</context>
<context>
    <name>csv_local_import</name>
    <message>
        <source>import file '%1' to table '%2': %3 rows in loads of push lines of up to %4, each load whole or not at all</source>
        <translation>ファイル '%1' のテーブル '%2' へのインポート: %3 行を最大 %4 の push 行のロードで送信（各ロードは全部入るか、まったく入らないか）</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2': %3 rows one push at a time, the server does not take them as a load (%4)</source>
        <translation>ファイル '%1' のテーブル '%2' へのインポート: %3 行を 1 行ずつ push で送信（サーバーがロードとして受け付けません: %4）</translation>
    </message>
</context>
</TS>
