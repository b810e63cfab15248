<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>sys_pre_dlg</name>
    <message>
        <source>system preference</source>
        <translation>系统首选项</translation>
    </message>
    <message>
        <source>editor</source>
        <translation>编辑器</translation>
    </message>
    <message>
        <source>update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>applay(&amp;a)</source>
        <translation>应用(&amp;a)</translation>
    </message>
    <message>
        <source>cancel(&amp;c)</source>
        <translation>取消(&amp;c)</translation>
    </message>
    <message>
        <source> style</source>
        <translation> 样式</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>自动补全</translation>
    </message>
    <message>
        <source>preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>show space</source>
        <translation>显示空白</translation>
    </message>
    <message>
        <source>horizontal factor</source>
        <translation>水平系数</translation>
    </message>
    <message>
        <source>vertical factor</source>
        <translation>垂直系数</translation>
    </message>
    <message>
        <source>theme</source>
        <translation>主题</translation>
    </message>
    <message>
        <source> elegant</source>
        <translation> 典雅</translation>
    </message>
    <message>
        <source>fresh</source>
        <translation>清新</translation>
    </message>
    <message>
        <source>leisurely</source>
        <translation>悠闲</translation>
    </message>
    <message>
        <source>reset(&amp;r)</source>
        <translation>重置(&amp;r)</translation>
    </message>
    <message>
        <source>default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>default keyword</source>
        <translation>默认关键字</translation>
    </message>
    <message>
        <source>read keyword</source>
        <translation>读关键字</translation>
    </message>
    <message>
        <source>write keyword</source>
        <translation>写关键字</translation>
    </message>
    <message>
        <source>post keyword</source>
        <translation>后置关键字</translation>
    </message>
    <message>
        <source>function</source>
        <translation>函数</translation>
    </message>
    <message>
        <source>table name</source>
        <translation>表名</translation>
    </message>
    <message>
        <source>field name</source>
        <translation>字段名</translation>
    </message>
    <message>
        <source>constant</source>
        <translation>常量</translation>
    </message>
    <message>
        <source>comment</source>
        <translation>注释</translation>
    </message>
    <message>
        <source>font</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>point size</source>
        <translation>字号</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Overline</source>
        <translation>上划线</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Strickout</source>
        <translation>删除线</translation>
    </message>
    <message>
        <source>color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Tab Width:</source>
        <translation>制表符宽度:</translation>
    </message>
    <message>
        <source>Insert as Space</source>
        <translation>以空格插入</translation>
    </message>
    <message>
        <source>Edit as Continous in</source>
        <translation>连续编辑间隔</translation>
    </message>
    <message>
        <source>second</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Edit Cursor</source>
        <translation>编辑光标</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>least count</source>
        <translation>最少字符数</translation>
    </message>
    <message>
        <source>Only Cmd</source>
        <translation>仅命令</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>检查更新</translation>
    </message>
</context>
<context>
    <name>color_wt</name>
    <message>
        <source>more...</source>
        <translation>更多...</translation>
    </message>
    <message>
        <source>choose any colour</source>
        <translation>选择任意颜色</translation>
    </message>
    <message>
        <source>select color</source>
        <translation>选择颜色</translation>
    </message>
</context>
</TS>
