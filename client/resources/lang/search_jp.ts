<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>search_form</name>
    <message>
        <source>Target</source>
        <translation>検索対象</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>すべて検索</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>Match Word</source>
        <translation>単語単位</translation>
    </message>
    <message>
        <source>Case-sentive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>通常</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正規表現</translation>
    </message>
    <message>
        <source>Support(\n,\r,\x)</source>
        <translation>エスケープ(\n,\r,\x)</translation>
    </message>
    <message>
        <source>Only Selection</source>
        <translation>選択範囲のみ</translation>
    </message>
    <message>
        <source>Constraint</source>
        <translation>範囲</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>検索結果</translation>
    </message>
    <message>
        <source>the regular expression '%1' is not valid: %2</source>
        <translation>正規表現 '%1' は無効です：%2</translation>
    </message>
    <message>
        <source>next research result</source>
        <translation>次の検索結果</translation>
    </message>
    <message>
        <source>previous research result</source>
        <translation>前の検索結果</translation>
    </message>
    <message>
        <source>the string '%1' not found.</source>
        <translation>文字列 '%1' が見つかりません。</translation>
    </message>
    <message>
        <source>the string '%1' not found. continue from begin?</source>
        <translation>文字列 '%1' が見つかりません。先頭から続けますか？</translation>
    </message>
    <message>
        <source>the string '%1' not found. continue from end?</source>
        <translation>文字列 '%1' が見つかりません。末尾から続けますか？</translation>
    </message>
    <message>
        <source>next search result</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>previous search result</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>the string '%1' found %2 times.</source>
        <translation>文字列 '%1' が %2 件見つかりました。</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>置換結果</translation>
    </message>
    <message>
        <source>the string '%1' %2 times replaced.</source>
        <translation>文字列 '%1' を %2 件置換しました。</translation>
    </message>
</context>
<context>
    <name>text_search</name>
    <message>
        <source>%1 at offset %2</source>
        <translation>%1（位置 %2）</translation>
    </message>
</context>
<context>
    <name>search_dlg</name>
    <message>
        <source>find text in current windows</source>
        <translation>現在のウィンドウでテキストを検索</translation>
    </message>
    <message>
        <source>replace text in current windows</source>
        <translation>現在のウィンドウでテキストを置換</translation>
    </message>
    <message>
        <source>search result</source>
        <translation>検索結果</translation>
    </message>
</context>
<context>
    <name>search_tab_dlg</name>
    <message>
        <source>find text in current table</source>
        <translation>現在のテーブルでテキストを検索</translation>
    </message>
    <message>
        <source>replace text in current table</source>
        <translation>現在のテーブルでテキストを置換</translation>
    </message>
    <message>
        <source>replace result</source>
        <translation>置換結果</translation>
    </message>
    <message>
        <source>the text '%1' is not a valid %2 value (row %3, column '%4'); nothing is replaced.</source>
        <translation>テキスト '%1' は有効な %2 の値ではありません（%3 行目、列 '%4'）。何も置換されません。</translation>
    </message>
    <message>
        <source>the string '%1' is found only in columns that cannot be replaced: %2.</source>
        <translation>文字列 '%1' は置換できない列にしかありません: %2。</translation>
    </message>
</context>
</TS>
