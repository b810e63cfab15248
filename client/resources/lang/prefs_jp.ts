<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>sys_pre_dlg</name>
    <message>
        <source>system preference</source>
        <translation>システム設定</translation>
    </message>
    <message>
        <source>editor</source>
        <translation>エディタ</translation>
    </message>
    <message>
        <source>update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>applay(&amp;a)</source>
        <translation>適用(&amp;a)</translation>
    </message>
    <message>
        <source>cancel(&amp;c)</source>
        <translation>キャンセル(&amp;c)</translation>
    </message>
    <message>
        <source> style</source>
        <translation> スタイル</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>補完</translation>
    </message>
    <message>
        <source>preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>show space</source>
        <translation>空白を表示</translation>
    </message>
    <message>
        <source>horizontal factor</source>
        <translation>水平係数</translation>
    </message>
    <message>
        <source>vertical factor</source>
        <translation>垂直係数</translation>
    </message>
    <message>
        <source>theme</source>
        <translation>テーマ</translation>
    </message>
    <message>
        <source> elegant</source>
        <translation> エレガント</translation>
    </message>
    <message>
        <source>fresh</source>
        <translation>フレッシュ</translation>
    </message>
    <message>
        <source>leisurely</source>
        <translation>のんびり</translation>
    </message>
    <message>
        <source>reset(&amp;r)</source>
        <translation>リセット(&amp;r)</translation>
    </message>
    <message>
        <source>default</source>
        <translation>既定</translation>
    </message>
    <message>
        <source>default keyword</source>
        <translation>既定のキーワード</translation>
    </message>
    <message>
        <source>read keyword</source>
        <translation>読み取りキーワード</translation>
    </message>
    <message>
        <source>write keyword</source>
        <translation>書き込みキーワード</translation>
    </message>
    <message>
        <source>post keyword</source>
        <translation>後置キーワード</translation>
    </message>
    <message>
        <source>function</source>
        <translation>関数</translation>
    </message>
    <message>
        <source>table name</source>
        <translation>テーブル名</translation>
    </message>
    <message>
        <source>field name</source>
        <translation>フィールド名</translation>
    </message>
    <message>
        <source>constant</source>
        <translation>定数</translation>
    </message>
    <message>
        <source>comment</source>
        <translation>コメント</translation>
    </message>
    <message>
        <source>font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>point size</source>
        <translation>ポイントサイズ</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>太字</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Overline</source>
        <translation>上線</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下線</translation>
    </message>
    <message>
        <source>Strickout</source>
        <translation>取り消し線</translation>
    </message>
    <message>
        <source>color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Tab Width:</source>
        <translation>タブ幅:</translation>
    </message>
    <message>
        <source>Insert as Space</source>
        <translation>空白として挿入</translation>
    </message>
    <message>
        <source>Edit as Continous in</source>
        <translation>連続編集とみなす間隔</translation>
    </message>
    <message>
        <source>second</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Edit Cursor</source>
        <translation>編集カーソル</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>least count</source>
        <translation>最小文字数</translation>
    </message>
    <message>
        <source>Only Cmd</source>
        <translation>コマンドのみ</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>更新を確認</translation>
    </message>
</context>
<context>
    <name>color_wt</name>
    <message>
        <source>more...</source>
        <translation>その他...</translation>
    </message>
    <message>
        <source>choose any colour</source>
        <translation>任意の色を選択</translation>
    </message>
    <message>
        <source>select color</source>
        <translation>色の選択</translation>
    </message>
</context>
</TS>
