<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>cluster_dlg</name>
    <message>
        <source>cluster  node manager</source>
        <translation>クラスタノードマネージャ</translation>
    </message>
    <message>
        <source>master ip</source>
        <translation>マスター IP</translation>
    </message>
    <message>
        <source>master port</source>
        <translation>マスターポート</translation>
    </message>
    <message>
        <source>reconnect(&amp;c)</source>
        <translation>再接続(&amp;c)</translation>
    </message>
    <message>
        <source>close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>TSDB service</source>
        <translation>TSDB サービス</translation>
    </message>
    <message>
        <source>cluster service</source>
        <translation>クラスタサービス</translation>
    </message>
    <message>
        <source>update time</source>
        <translation>更新間隔</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>分</translation>
    </message>
    <message>
        <source>auto update</source>
        <translation>自動更新</translation>
    </message>
    <message>
        <source>join node(&amp;j)</source>
        <translation>ノードを参加(&amp;j)</translation>
    </message>
    <message>
        <source>detach node(&amp;d)</source>
        <translation>ノードを切り離す(&amp;d)</translation>
    </message>
    <message>
        <source>new node(&amp;a)</source>
        <translation>新しいノード(&amp;a)</translation>
    </message>
    <message>
        <source>shutdown cluster(&amp;s)</source>
        <translation>クラスタを停止(&amp;s)</translation>
    </message>
    <message>
        <source>modify node(&amp;q)</source>
        <translation>ノードを変更(&amp;q)</translation>
    </message>
    <message>
        <source>group(&amp;g)</source>
        <translation>グループ化(&amp;g)</translation>
    </message>
    <message>
        <source>connect to cluster infomation</source>
        <translation>クラスタ接続情報</translation>
    </message>
    <message>
        <source>Connect to the master &apos;%1&apos; failed!</source>
        <translation>マスター &apos;%1&apos; への接続に失敗しました！</translation>
    </message>
    <message>
        <source>query cluster infomation</source>
        <translation>クラスタ照会情報</translation>
    </message>
    <message>
        <source>Query from the master &apos;%1&apos; failed!</source>
        <translation>マスター &apos;%1&apos; からの照会に失敗しました！</translation>
    </message>
    <message>
        <source>Query node &apos;%1&apos; from the master failed!</source>
        <translation>マスターからのノード &apos;%1&apos; の照会に失敗しました！</translation>
    </message>
    <message>
        <source>join cluster infomation</source>
        <translation>クラスタ参加情報</translation>
    </message>
    <message>
        <source>detach cluster infomation</source>
        <translation>クラスタ切り離し情報</translation>
    </message>
    <message>
        <source>connect to the node &apos;%1&apos; failed!</source>
        <translation>ノード &apos;%1&apos; への接続に失敗しました！</translation>
    </message>
    <message>
        <source>join to the cluster successful!</source>
        <translation>クラスタへの参加に成功しました！</translation>
    </message>
    <message>
        <source>detach from the cluster successful!</source>
        <translation>クラスタからの切り離しに成功しました！</translation>
    </message>
    <message>
        <source>join to the cluster failed!</source>
        <translation>クラスタへの参加に失敗しました！</translation>
    </message>
    <message>
        <source>detach from the cluster failed!</source>
        <translation>クラスタからの切り離しに失敗しました！</translation>
    </message>
    <message>
        <source>cluster infomation</source>
        <translation>クラスタ情報</translation>
    </message>
    <message>
        <source>Shutdown the master &apos;%1&apos; will quit all cluster, do you want continue?</source>
        <translation>マスター &apos;%1&apos; を停止するとクラスタ全体が終了します。続行しますか？</translation>
    </message>
    <message>
        <source>Shutdown the master &apos;%1&apos; failed!</source>
        <translation>マスター &apos;%1&apos; の停止に失敗しました！</translation>
    </message>
    <message>
        <source>service infomation</source>
        <translation>サービス情報</translation>
    </message>
    <message>
        <source>cluster service infomation</source>
        <translation>クラスタサービス情報</translation>
    </message>
    <message>
        <source>Stop the cluster will quit all connection and must restart all(include tsdb service) again, do you want continue?</source>
        <translation>クラスタを停止するとすべての接続が終了し、すべて（TSDB サービスを含む）を再起動する必要があります。続行しますか？</translation>
    </message>
    <message>
        <source>waiting for the service manager</source>
        <translation>サービスマネージャーの応答を待っています</translation>
    </message>
    <message>
        <source>The list holds nodes added or changed here that the master does not know yet (%1). Reconnecting lists the master&apos;s nodes only and drops them. Reconnect anyway?</source>
        <translation>一覧には、ここで追加または変更され、マスターがまだ知らないノードがあります（%1）。再接続するとマスターのノードだけが表示され、これらは破棄されます。それでも再接続しますか？</translation>
    </message>
    <message>
        <source>waiting for the master &apos;%1&apos;</source>
        <translation>マスター &apos;%1&apos; の応答を待っています</translation>
    </message>
    <message>
        <source>waiting for the service &apos;%1&apos;</source>
        <translation>サービス &apos;%1&apos; を待っています</translation>
    </message>
</context>
<context>
    <name>node_params_dlg</name>
    <message>
        <source>node paramters setting</source>
        <translation>ノードパラメータ設定</translation>
    </message>
    <message>
        <source>join</source>
        <translation>参加</translation>
    </message>
    <message>
        <source>as master</source>
        <translation>マスターとして</translation>
    </message>
    <message>
        <source>use space</source>
        <translation>使用容量</translation>
    </message>
    <message>
        <source>group id</source>
        <translation>グループ ID</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>max space</source>
        <translation>最大容量</translation>
    </message>
    <message>
        <source>Nodes join the cluster through the master. A node added or changed here stays in this list only until you join it (&quot;join node&quot;); reconnecting to the master drops it.</source>
        <translation>ノードはマスターを通じてクラスターに参加します。ここで追加または変更したノードは、参加させる（「ノードを参加」）までこの一覧にだけ残り、マスターに再接続すると破棄されます。</translation>
    </message>
    <message>
        <source>A node named &apos;%1&apos; is already in the list.</source>
        <translation>&apos;%1&apos; という名前のノードはすでに一覧にあります。</translation>
    </message>
    <message>
        <source>The address %1:%2 is already in the list (node &apos;%3&apos;).</source>
        <translation>アドレス %1:%2 はすでに一覧にあります（ノード &apos;%3&apos;）。</translation>
    </message>
</context>
<context>
    <name>service_control</name>
    <message>
        <source>Open the service manager failed!</source>
        <translation>サービスマネージャを開けませんでした！</translation>
    </message>
    <message>
        <source>Open the service &apos;%1&apos; failed!</source>
        <translation>サービス &apos;%1&apos; を開けませんでした！</translation>
    </message>
    <message>
        <source>Query the service &apos;%1&apos; failed!</source>
        <translation>サービス &apos;%1&apos; の照会に失敗しました！</translation>
    </message>
    <message>
        <source>Timeout waiting for the service &apos;%1&apos; to stop</source>
        <translation>サービス &apos;%1&apos; の停止待ちがタイムアウトしました</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; is running</source>
        <translation>サービス &apos;%1&apos; は実行中です</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; start failed</source>
        <translation>サービス &apos;%1&apos; の起動に失敗しました</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; start successful</source>
        <translation>サービス &apos;%1&apos; の起動に成功しました</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; is stoped</source>
        <translation>サービス &apos;%1&apos; は停止しています</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; stop failed</source>
        <translation>サービス &apos;%1&apos; の停止に失敗しました</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; stop successful</source>
        <translation>サービス &apos;%1&apos; の停止に成功しました</translation>
    </message>
</context>
<context>
    <name>wait_note</name>
    <message>
        <source>%1 (%2 s)</source>
        <translation>%1（%2 秒）</translation>
    </message>
</context>
</TS>
