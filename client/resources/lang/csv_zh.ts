<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>path_groups</name>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>客户端</translation>
    </message>
</context>
<context>
    <name>import_csv_dlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Server(note: the file is in remote server)</source>
        <translation>服务器(注意：文件在远程服务器上)</translation>
    </message>
    <message>
        <source>Spliter</source>
        <translation>分隔符</translation>
    </message>
    <message>
        <source>space</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>replace mode</source>
        <translation>替换模式</translation>
    </message>
    <message>
        <source>format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>csv files (*.csv);;csvs files (*.csvs);;all files (*.*)</source>
        <translation>csv 文件 (*.csv);;csvs 文件 (*.csvs);;所有文件 (*.*)</translation>
    </message>
    <message>
        <source>set csv/csvs file's path</source>
        <translation>设置 csv/csvs 文件路径</translation>
    </message>
    <message>
        <source>select csv/csvs file</source>
        <translation>选择 csv/csvs 文件</translation>
    </message>
    <message>
        <source>export path information</source>
        <translation>导出路径信息</translation>
    </message>
    <message>
        <source>import path information</source>
        <translation>导入路径信息</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>输入的路径为空。</translation>
    </message>
</context>
<context>
    <name>file_mode_questions</name>
    <message>
        <source>client mode information</source>
        <translation>客户端模式信息</translation>
    </message>
    <message>
        <source>note: change to client mode will use &lt;span style='color:orange'&gt;big memory&lt;/span&gt; for transform, should not use for &lt;span style='color:orange'&gt;big data&lt;/span&gt;, do you want to continue?</source>
        <translation>注意：切换到客户端模式将使用&lt;span style='color:orange'&gt;大量内存&lt;/span&gt;进行传输，不应用于&lt;span style='color:orange'&gt;大数据&lt;/span&gt;，是否继续？</translation>
    </message>
    <message>
        <source>note: change to client mode will use &lt;span style='color:orange'&gt;big memory&lt;/span&gt; store all data for transform, should not use for &lt;span style='color:orange'&gt;big data&lt;/span&gt;, do you want to continue?</source>
        <translation>注意：切换到客户端模式将使用&lt;span style='color:orange'&gt;大量内存&lt;/span&gt;保存全部数据进行传输，不应用于&lt;span style='color:orange'&gt;大数据&lt;/span&gt;，是否继续？</translation>
    </message>
    <message>
        <source>replace mode information</source>
        <translation>替换模式信息</translation>
    </message>
    <message>
        <source>note: the replace mode will &lt;span style='color:orange'&gt;replace exists file&lt;/span&gt;, continue?</source>
        <translation>注意：替换模式将&lt;span style='color:orange'&gt;覆盖已存在的文件&lt;/span&gt;，是否继续？</translation>
    </message>
</context>
<context>
    <name>tab_file_dlg</name>
    <message>
        <source>format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>backup files (*.sbk);;all files (*.*)</source>
        <translation>备份文件 (*.sbk);;所有文件 (*.*)</translation>
    </message>
    <message>
        <source>bin files (*.bin);;cmd files (*.tcd);;all files (*.*)</source>
        <translation>bin 文件 (*.bin);;cmd 文件 (*.tcd);;所有文件 (*.*)</translation>
    </message>
    <message>
        <source>cmd files (*.tcd);;bin files (*.bin);;all files (*.*)</source>
        <translation>cmd 文件 (*.tcd);;bin 文件 (*.bin);;所有文件 (*.*)</translation>
    </message>
    <message>
        <source>select database file's path</source>
        <translation>选择数据库文件路径</translation>
    </message>
    <message>
        <source>select table file's path</source>
        <translation>选择表文件路径</translation>
    </message>
    <message>
        <source>set database file's path</source>
        <translation>设置数据库文件路径</translation>
    </message>
    <message>
        <source>set table file's path</source>
        <translation>设置表文件路径</translation>
    </message>
</context>
<context>
    <name>save_tab_dlg</name>
    <message>
        <source>Replace Mode</source>
        <translation>替换模式</translation>
    </message>
    <message>
        <source>Server(note the input path is in remote server)</source>
        <translation>服务器(注意：输入的路径在远程服务器上)</translation>
    </message>
    <message>
        <source>cmd</source>
        <translation>cmd</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>路径信息</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>输入的路径为空。</translation>
    </message>
</context>
<context>
    <name>load_tab_dlg</name>
    <message>
        <source>table name</source>
        <translation>表名</translation>
    </message>
    <message>
        <source>Server(note the input path is in remote server)</source>
        <translation>服务器(注意：输入的路径在远程服务器上)</translation>
    </message>
    <message>
        <source>cmd</source>
        <translation>cmd</translation>
    </message>
    <message>
        <source>table name information</source>
        <translation>表名信息</translation>
    </message>
    <message>
        <source>the input table's name is empty.</source>
        <translation>输入的表名为空。</translation>
    </message>
    <message>
        <source>table path information</source>
        <translation>表路径信息</translation>
    </message>
    <message>
        <source>the input table's path is empty.</source>
        <translation>输入的表路径为空。</translation>
    </message>
    <message>
        <source>path information</source>
        <translation>路径信息</translation>
    </message>
    <message>
        <source>the input path is empty.</source>
        <translation>输入的路径为空。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Client</source>
        <translation>客户端</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>服务器</translation>
    </message>
    <message>
        <source>client mode information</source>
        <translation>客户端模式信息</translation>
    </message>
    <message>
        <source>the file '%1' has %2 MiB, more than the %3 MiB the client mode can move; please use the server mode for it.</source>
        <translation>文件 '%1' 有 %2 MiB，超过客户端模式可传输的 %3 MiB；请改用服务器模式。</translation>
    </message>
    <message>
        <source>save table '%1' to file</source>
        <translation>保存表 '%1' 到文件</translation>
    </message>
    <message>
        <source>save table result</source>
        <translation>保存表结果</translation>
    </message>
    <message>
        <source>save table '%1' to file '%2' is %3!</source>
        <translation>保存表 '%1' 到文件 '%2' %3！</translation>
    </message>
    <message>
        <source>backup database to file</source>
        <translation>备份数据库到文件</translation>
    </message>
    <message>
        <source>backup result(%1)</source>
        <translation>备份结果(%1)</translation>
    </message>
    <message>
        <source>backup database to file '%1' is %2!</source>
        <translation>备份数据库到文件 '%1' %2！</translation>
    </message>
    <message>
        <source>load table from file</source>
        <translation>从文件加载表</translation>
    </message>
    <message>
        <source>load table result</source>
        <translation>加载表结果</translation>
    </message>
    <message>
        <source>load file '%1' to as table '%2' is %3!</source>
        <translation>加载文件 '%1' 为表 '%2' %3！</translation>
    </message>
    <message>
        <source>load file '%1' as table is %2!</source>
        <translation>加载文件 '%1' 为表 %2！</translation>
    </message>
    <message>
        <source>restore database from file</source>
        <translation>从文件恢复数据库</translation>
    </message>
    <message>
        <source>restore result(%1)</source>
        <translation>恢复结果(%1)</translation>
    </message>
    <message>
        <source>restore database frome file '%1' is %2!</source>
        <translation>从文件 '%1' 恢复数据库 %2！</translation>
    </message>
    <message>
        <source>import data from csv/csvs file to table: %1</source>
        <translation>从 csv/csvs 文件导入数据到表: %1</translation>
    </message>
    <message>
        <source>import table result</source>
        <translation>导入表结果</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2' is %3!</source>
        <translation>导入文件 '%1' 到表 '%2' %3！</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2'</source>
        <translation>正在导入文件 '%1' 到表 '%2'</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 of %2 rows imported.</source>
        <translation>已导入 %1 / %2 行。</translation>
    </message>
    <message>
        <source>export table: %1 to csv/csvs file</source>
        <translation>导出表: %1 到 csv/csvs 文件</translation>
    </message>
    <message>
        <source>export table result</source>
        <translation>导出表结果</translation>
    </message>
    <message>
        <source>export table '%1' to file '%2' is %3!</source>
        <translation>导出表 '%1' 到文件 '%2' %3！</translation>
    </message>
</context>
<context>
    <name>csv_local_import</name>
    <message>
        <source>import file '%1' to table '%2': %3 rows in loads of push lines of up to %4, each load whole or not at all</source>
        <translation>导入文件 '%1' 到表 '%2'：%3 行以每次最多 %4 的 push 行加载发送，每次加载要么全部生效，要么全不生效</translation>
    </message>
    <message>
        <source>import file '%1' to table '%2': %3 rows one push at a time, the server does not take them as a load (%4)</source>
        <translation>导入文件 '%1' 到表 '%2'：%3 行逐行 push 发送，服务器不接受以加载方式导入（%4）</translation>
    </message>
</context>
</TS>
