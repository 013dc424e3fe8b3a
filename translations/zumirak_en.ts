<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>MainForm</name>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
    <message>
        <source>言語の設定を保存できませんでした。</source>
        <translation>The language could not be saved.</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
</context>
<context>
    <name>StartUp</name>
    <message>
        <source>既に起動されています</source>
        <translation>Zumirak is already running</translation>
    </message>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
</context>

</TS>
