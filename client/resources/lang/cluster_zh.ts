<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>cluster_dlg</name>
    <message>
        <source>cluster  node manager</source>
        <translation>集群节点管理器</translation>
    </message>
    <message>
        <source>master ip</source>
        <translation>主节点 IP</translation>
    </message>
    <message>
        <source>master port</source>
        <translation>主节点端口</translation>
    </message>
    <message>
        <source>reconnect(&amp;c)</source>
        <translation>重新连接(&amp;c)</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>TSDB service</source>
        <translation>TSDB 服务</translation>
    </message>
    <message>
        <source>cluster service</source>
        <translation>集群服务</translation>
    </message>
    <message>
        <source>update time</source>
        <translation>更新间隔</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>auto update</source>
        <translation>自动更新</translation>
    </message>
    <message>
        <source>join node(&amp;j)</source>
        <translation>加入节点(&amp;j)</translation>
    </message>
    <message>
        <source>detach node(&amp;d)</source>
        <translation>分离节点(&amp;d)</translation>
    </message>
    <message>
        <source>new node(&amp;a)</source>
        <translation>新建节点(&amp;a)</translation>
    </message>
    <message>
        <source>shutdown cluster(&amp;s)</source>
        <translation>关闭集群(&amp;s)</translation>
    </message>
    <message>
        <source>modify node(&amp;q)</source>
        <translation>修改节点(&amp;q)</translation>
    </message>
    <message>
        <source>group(&amp;g)</source>
        <translation>分组(&amp;g)</translation>
    </message>
    <message>
        <source>connect to cluster infomation</source>
        <translation>连接集群信息</translation>
    </message>
    <message>
        <source>Connect to the master &apos;%1&apos; failed!</source>
        <translation>连接主节点 &apos;%1&apos; 失败！</translation>
    </message>
    <message>
        <source>query cluster infomation</source>
        <translation>查询集群信息</translation>
    </message>
    <message>
        <source>Query from the master &apos;%1&apos; failed!</source>
        <translation>从主节点 &apos;%1&apos; 查询失败！</translation>
    </message>
    <message>
        <source>Query node &apos;%1&apos; from the master failed!</source>
        <translation>从主节点查询节点 &apos;%1&apos; 失败！</translation>
    </message>
    <message>
        <source>join cluster infomation</source>
        <translation>加入集群信息</translation>
    </message>
    <message>
        <source>detach cluster infomation</source>
        <translation>分离集群信息</translation>
    </message>
    <message>
        <source>connect to the node &apos;%1&apos; failed!</source>
        <translation>连接节点 &apos;%1&apos; 失败！</translation>
    </message>
    <message>
        <source>join to the cluster successful!</source>
        <translation>加入集群成功！</translation>
    </message>
    <message>
        <source>detach from the cluster successful!</source>
        <translation>从集群分离成功！</translation>
    </message>
    <message>
        <source>join to the cluster failed!</source>
        <translation>加入集群失败！</translation>
    </message>
    <message>
        <source>detach from the cluster failed!</source>
        <translation>从集群分离失败！</translation>
    </message>
    <message>
        <source>cluster infomation</source>
        <translation>集群信息</translation>
    </message>
    <message>
        <source>Shutdown the master &apos;%1&apos; will quit all cluster, do you want continue?</source>
        <translation>关闭主节点 &apos;%1&apos; 将退出整个集群，是否继续？</translation>
    </message>
    <message>
        <source>Shutdown the master &apos;%1&apos; failed!</source>
        <translation>关闭主节点 &apos;%1&apos; 失败！</translation>
    </message>
    <message>
        <source>service infomation</source>
        <translation>服务信息</translation>
    </message>
    <message>
        <source>cluster service infomation</source>
        <translation>集群服务信息</translation>
    </message>
    <message>
        <source>Stop the cluster will quit all connection and must restart all(include tsdb service) again, do you want continue?</source>
        <translation>停止集群将断开所有连接，并且必须重新启动全部服务（包括 TSDB 服务），是否继续？</translation>
    </message>
    <message>
        <source>waiting for the service manager</source>
        <translation>正在等待服务管理器</translation>
    </message>
    <message>
        <source>The list holds nodes added or changed here that the master does not know yet (%1). Reconnecting lists the master&apos;s nodes only and drops them. Reconnect anyway?</source>
        <translation>列表中有在此处添加或修改、主节点尚不知道的节点（%1）。重新连接后只列出主节点的节点，这些节点将被丢弃。仍要重新连接吗？</translation>
    </message>
    <message>
        <source>waiting for the master &apos;%1&apos;</source>
        <translation>正在等待主节点 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>waiting for the service &apos;%1&apos;</source>
        <translation>正在等待服务 &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>node_params_dlg</name>
    <message>
        <source>node paramters setting</source>
        <translation>节点参数设置</translation>
    </message>
    <message>
        <source>join</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>as master</source>
        <translation>作为主节点</translation>
    </message>
    <message>
        <source>use space</source>
        <translation>已用空间</translation>
    </message>
    <message>
        <source>group id</source>
        <translation>组号</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>max space</source>
        <translation>最大空间</translation>
    </message>
    <message>
        <source>Nodes join the cluster through the master. A node added or changed here stays in this list only until you join it (&quot;join node&quot;); reconnecting to the master drops it.</source>
        <translation>节点通过主节点加入集群。在此添加或修改的节点只保留在本列表中，直到您将其加入（“加入节点”）；重新连接主节点会丢弃它。</translation>
    </message>
    <message>
        <source>A node named &apos;%1&apos; is already in the list.</source>
        <translation>列表中已有名为 &apos;%1&apos; 的节点。</translation>
    </message>
    <message>
        <source>The address %1:%2 is already in the list (node &apos;%3&apos;).</source>
        <translation>地址 %1:%2 已在列表中（节点 &apos;%3&apos;）。</translation>
    </message>
</context>
<context>
    <name>service_control</name>
    <message>
        <source>Open the service manager failed!</source>
        <translation>打开服务管理器失败！</translation>
    </message>
    <message>
        <source>Open the service &apos;%1&apos; failed!</source>
        <translation>打开服务 &apos;%1&apos; 失败！</translation>
    </message>
    <message>
        <source>Query the service &apos;%1&apos; failed!</source>
        <translation>查询服务 &apos;%1&apos; 失败！</translation>
    </message>
    <message>
        <source>Timeout waiting for the service &apos;%1&apos; to stop</source>
        <translation>等待服务 &apos;%1&apos; 停止超时</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; is running</source>
        <translation>服务 &apos;%1&apos; 正在运行</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; start failed</source>
        <translation>服务 &apos;%1&apos; 启动失败</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; start successful</source>
        <translation>服务 &apos;%1&apos; 启动成功</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; is stoped</source>
        <translation>服务 &apos;%1&apos; 已停止</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; stop failed</source>
        <translation>服务 &apos;%1&apos; 停止失败</translation>
    </message>
    <message>
        <source>The service &apos;%1&apos; stop successful</source>
        <translation>服务 &apos;%1&apos; 停止成功</translation>
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
