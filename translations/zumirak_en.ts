<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>About</name>
    <message>
        <source>ズミラク&#x3000;About</source>
        <translation>About Zumirak</translation>
    </message>
    <message>
        <source>ＯＫ</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>会社名</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>ユーザ名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>%1 %2、%3 %4、%5 %6</source>
        <comment>the about window read aloud: version, company, user</comment>
        <translation>%1 %2, %3 %4, %5 %6</translation>
    </message>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
</context>
<context>
    <name>Announce</name>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>BallKeyboard</name>
    <message>
        <source>この方向にボールはありません</source>
        <translation>No ball in this direction</translation>
    </message>
</context>
<context>
    <name>ChooseSoundFile</name>
    <message>
        <source>ボール選択音</source>
        <translation>Sound for a Ball Taken</translation>
    </message>
    <message>
        <source>ボールが選択できない時の音</source>
        <translation>Sound for a Ball Refused</translation>
    </message>
    <message>
        <source>面クリア時の音</source>
        <translation>Sound for a Stage Cleared</translation>
    </message>
    <message>
        <source>バックミュージック</source>
        <translation>Background Music</translation>
    </message>
    <message>
        <source>Wavファイル (*.wav)|*.wav</source>
        <translation>Wave files (*.wav)|*.wav</translation>
    </message>
</context>
<context>
    <name>ClearedMark</name>
    <message>
        <source>クリア済み</source>
        <translation>Cleared</translation>
    </message>
</context>
<context>
    <name>DailyCalendar</name>
    <message>
        <source>その日にクリア</source>
        <translation>cleared on the day</translation>
    </message>
    <message>
        <source>後日クリア</source>
        <translation>cleared later</translation>
    </message>
    <message>
        <source>挑戦したが未クリア</source>
        <translation>tried, not cleared</translation>
    </message>
    <message>
        <source>未挑戦</source>
        <translation>not tried</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>今日</source>
        <translation>today</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>DailyDateChooser</name>
    <message>
        <source>日付を選んで遊ぶ</source>
        <translation>Play a Day of Your Choice</translation>
    </message>
    <message>
        <source>連続記録に数えるのは、その日のうちにクリアした日と、その日に始めた挑戦でクリアした日です。</source>
        <translation>A day counts towards the streak when it is cleared on its date, or in an attempt begun on its date.</translation>
    </message>
    <message>
        <source>● その日にクリア&#x3000;○ 後日クリア&#x3000;△ 挑戦したが未クリア&#x3000;★ 難しさ</source>
        <translation>● cleared on the day   ○ cleared later   △ tried, not cleared   ★ difficulty</translation>
    </message>
    <message>
        <source>まだクリアしていない最新の日へ(&amp;N)</source>
        <translation>&amp;Newest day not cleared</translation>
    </message>
    <message>
        <source>遊ぶ</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DailyPlay</name>
    <message>
        <source>プレイ中のステージ「%1」を閉じて、%2を開きます。<byte value="xd"/>
閉じたステージは挑戦1回と数えられます。宜しいですか？</source>
        <translation>The stage in play, “%1”, will be closed and %2 opened.<byte value="xd"/>
The stage closed counts as one attempt. Go ahead?</translation>
    </message>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
    <message>
        <source>日付ごとにだれにでも同じステージです。%1&#x3000;%2</source>
        <translation>The same stage for everyone on the same date. %1  %2</translation>
    </message>
</context>
<context>
    <name>DailyResult</name>
    <message>
        <source>ズミラク %1</source>
        <translation>Zumirak %1</translation>
    </message>
    <message>
        <source>%1回目でクリア&#x3000;%2秒</source>
        <translation>Cleared on try %1 in %2 s</translation>
    </message>
    <message>
        <source>（後日）</source>
        <translation> (on a later day)</translation>
    </message>
    <message numerus="yes">
        <source>連続 %n日</source>
        <translation>
            <numerusform>Streak: %n day</numerusform>
            <numerusform>Streak: %n days</numerusform>
        </translation>
    </message>
    <message>
        <source>クリア（%1回目・%2秒）</source>
        <translation>cleared (try %1, %2 s)</translation>
    </message>
    <message>
        <source>未クリア</source>
        <translation>not cleared</translation>
    </message>
    <message>
        <source>日替わりステージの結果</source>
        <translation>Daily Stage Result</translation>
    </message>
    <message>
        <source>Cキーで結果をコピーできます。</source>
        <translation>Press C to copy the result.</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>結果をコピーしました。</source>
        <translation>The result has been copied.</translation>
    </message>
    <message>
        <source>日替わりステージ&#x3000;今日：%1&#x3000;クリアした日：%2&#x3000;%3</source>
        <translation>Daily stage   today: %1   days cleared: %2   %3</translation>
    </message>
    <message>
        <source>次の日替わりステージまで&#x3000;あと%1時間%2分</source>
        <translation>Next stage of the day in %1 h %2 min</translation>
    </message>
    <message numerus="yes">
        <source>次の日替わりステージまで&#x3000;あと%n分</source>
        <translation>
            <numerusform>Next stage of the day in %n minute</numerusform>
            <numerusform>Next stage of the day in %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>記録とグラフ(&amp;G)</source>
        <translation>&amp;Numbers and chart</translation>
    </message>
</context>
<context>
    <name>DailyStage</name>
    <message>
        <source>日替わりステージ %1</source>
        <translation>Daily stage %1</translation>
    </message>
</context>
<context>
    <name>GameSelect</name>
    <message>
        <source>%1&#x3000;クリア済み</source>
        <translation>%1, cleared</translation>
    </message>
    <message>
        <source>ステージ選択</source>
        <translation>Stage selection</translation>
    </message>
    <message>
        <source>ステージの選択（Enterキーで開始）</source>
        <translation>Choose a stage (Enter starts it)</translation>
    </message>
    <message>
        <source>ボール%1個</source>
        <translation>%1 balls</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <comment>stage number and title</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>（確認中）</source>
        <translation> (being checked)</translation>
    </message>
    <message>
        <source>今日のステージ</source>
        <translation>&amp;Today&apos;s Stage</translation>
    </message>
</context>
<context>
    <name>GameTable</name>
    <message>
        <source>ボール %1行 %2列</source>
        <translation>Ball, row %1, column %2</translation>
    </message>
    <message>
        <source> %1番目に取得</source>
        <translation>, taken as number %1</translation>
    </message>
    <message>
        <source>このボールは選択できません</source>
        <translation>This ball cannot be taken</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Cleared!</translation>
    </message>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
    <message>
        <source>クリア&#x3000;%1&#x3000;%2</source>
        <comment>cleared, the time and the attempt, read aloud</comment>
        <translation>Cleared! %1, %2</translation>
    </message>
</context>
<context>
    <name>LayoutString</name>
    <message>
        <source>ボールがありません</source>
        <translation>There are no balls</translation>
    </message>
    <message>
        <source>最後のボールの記録の終わりにコンマがありません</source>
        <translation>the last ball’s record does not end with a comma</translation>
    </message>
    <message>
        <source>%1文字で、10文字ずつのボールの記録に分かれません</source>
        <translation>%1 characters do not split into ball records of 10 characters each</translation>
    </message>
    <message>
        <source>%1個目のボール</source>
        <translation>ball %1</translation>
    </message>
    <message>
        <source>：数のあとにコンマがありません</source>
        <translation>: no comma after a number</translation>
    </message>
    <message>
        <source>：%1 が4桁の数ではありません</source>
        <translation>: %1 is not a 4-digit number</translation>
    </message>
    <message>
        <source>：%1 が1マスの大きさ600の倍数ではありません</source>
        <translation>: %1 is not a multiple of 600, the size of one cell</translation>
    </message>
    <message>
        <source>（行,列 %1）。盤は 0,0～14,14 です</source>
        <translation> (row,column %1). The board runs from 0,0 to 14,14</translation>
    </message>
    <message>
        <source>（行,列 %1）が前のボールと同じマスにあります</source>
        <translation> (row,column %1) is on the same cell as an earlier ball</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
    <message>
        <source>Wavファイル (*.wav)|*.wav</source>
        <translation>Wave files (*.wav)|*.wav</translation>
    </message>
    <message>
        <source>ｽﾀｰﾄ</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>壁紙の設定</source>
        <translation>&amp;Wallpaper...</translation>
    </message>
    <message>
        <source>ｻｳﾝﾄﾞの有無</source>
        <translation>&amp;Sound</translation>
    </message>
    <message>
        <source>ｻｳﾝﾄﾞの設定</source>
        <translation>Sound &amp;Files</translation>
    </message>
    <message>
        <source>ボール選択音</source>
        <translation>Ball &amp;Taken...</translation>
    </message>
    <message>
        <source>選択できない時の音</source>
        <translation>Ball &amp;Refused...</translation>
    </message>
    <message>
        <source>面ｸﾘｱ時の音</source>
        <translation>Stage &amp;Cleared...</translation>
    </message>
    <message>
        <source>ﾊﾞｯｸﾐｭｰｼﾞｯｸ</source>
        <translation>Background &amp;Music...</translation>
    </message>
    <message>
        <source>ボールの形設定</source>
        <translation>&amp;Ball Shape</translation>
    </message>
    <message>
        <source>まる</source>
        <translation>&amp;Round</translation>
    </message>
    <message>
        <source>ダイヤ</source>
        <translation>&amp;Diamond</translation>
    </message>
    <message>
        <source>三角</source>
        <translation>&amp;Triangle</translation>
    </message>
    <message>
        <source>アメフト</source>
        <translation>&amp;Football</translation>
    </message>
    <message>
        <source>記録の削除</source>
        <translation>&amp;Delete Records...</translation>
    </message>
    <message>
        <source>記録一覧</source>
        <translation>Records &amp;Overview</translation>
    </message>
    <message>
        <source>ステージ作成</source>
        <translation>Stage Wor&amp;kshop</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ズミラク ﾍﾙﾌﾟ</source>
        <translation>Zumirak &amp;Help</translation>
    </message>
    <message>
        <source>ズミラク About</source>
        <translation>&amp;About Zumirak</translation>
    </message>
    <message>
        <source>ヘルプを開くプログラムが見つかりません。<byte value="xd"/>
ヘルプは次のファイルにあります。<byte value="xd"/>
%1</source>
        <translation>No program was found to open the help.<byte value="xd"/>
The help is in this file:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>言語の設定を保存できませんでした。</source>
        <translation>The language setting could not be saved.</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>壁紙の設定</source>
        <comment>dialog title</comment>
        <translation>Wallpaper</translation>
    </message>
    <message>
        <source>BMPファイル (*.bmp)|*.bmp|JPGファイル (*.jpg)|*.jpg;*.jpeg|gifファイル (*.gif)|*.gif</source>
        <translation>BMP files (*.bmp)|*.bmp|JPG files (*.jpg)|*.jpg;*.jpeg|GIF files (*.gif)|*.gif</translation>
    </message>
    <message>
        <source>全ての記録を削除しますが、<byte value="xd"/>
宜しいですか？</source>
        <translation>All records will be deleted.<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>サウンドあり</source>
        <translation>Sound on</translation>
    </message>
    <message>
        <source>サウンドなし</source>
        <translation>Sound off</translation>
    </message>
    <message>
        <source>日替わり</source>
        <translation>&amp;Daily</translation>
    </message>
    <message>
        <source>今日のステージ</source>
        <translation>&amp;Today&apos;s Stage</translation>
    </message>
    <message>
        <source>日付ごとにだれにでも同じステージを遊びます</source>
        <translation>Play the stage that everyone gets on the same date</translation>
    </message>
    <message>
        <source>日付を選んで遊ぶ...</source>
        <translation>&amp;Play a Day of Your Choice...</translation>
    </message>
</context>
<context>
    <name>MsgBox</name>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存しない</source>
        <translation>Don’t Save</translation>
    </message>
</context>
<context>
    <name>Opening</name>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
    <message>
        <source>会社名</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>ユーザ名</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>PanelStatusBar</name>
    <message>
        <source>0秒</source>
        <translation>0 s</translation>
    </message>
    <message>
        <source>現在のゲームで何秒かかっているか</source>
        <translation>Seconds spent on this attempt</translation>
    </message>
    <message>
        <source>1回目の挑戦</source>
        <translation>Attempt 1</translation>
    </message>
    <message>
        <source>今回で何回目の挑戦か</source>
        <translation>The number of this attempt</translation>
    </message>
    <message>
        <source>達成記録 0秒</source>
        <translation>First clear: 0 s</translation>
    </message>
    <message>
        <source>過去に成功した最短時間</source>
        <translation>Time of the first clear, kept as the stage’s record</translation>
    </message>
</context>
<context>
    <name>PlayerStages</name>
    <message>
        <source>ステージを保存できませんでした</source>
        <translation>The stage could not be saved</translation>
    </message>
    <message>
        <source>クリアできない配置です</source>
        <translation>This figure cannot be cleared</translation>
    </message>
    <message>
        <source>クリアできるか確かめきれませんでした</source>
        <translation>Could not confirm that this figure can be cleared</translation>
    </message>
    <message>
        <source>自作%1</source>
        <translation>My Stage %1</translation>
    </message>
</context>
<context>
    <name>RecordFileMessage</name>
    <message>
        <source>記録ファイルのリンク先が見つかりません。<byte value="xd"/>
%1<byte value="xd"/>
見つかるようになるまで、記録は保存されません。</source>
        <translation>The record file is a link whose target cannot be found.<byte value="xd"/>
%1<byte value="xd"/>
Records will not be saved until it can be found again.</translation>
    </message>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
</context>
<context>
    <name>RecordsOverview</name>
    <message>
        <source>面</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>挑戦回数</source>
        <translation>Attempts</translation>
    </message>
    <message>
        <source>達成記録（秒）</source>
        <translation>First clear (s)</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Cleared</translation>
    </message>
    <message>
        <source>難易度</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>記録一覧</source>
        <translation>Records Overview</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>－</source>
        <comment>no time yet</comment>
        <translation>–</translation>
    </message>
    <message>
        <source>○</source>
        <comment>cleared</comment>
        <translation>✓</translation>
    </message>
    <message>
        <source>未クリア</source>
        <translation>Not cleared</translation>
    </message>
    <message>
        <source>クリア %1/%2</source>
        <translation>Cleared %1/%2</translation>
    </message>
    <message>
        <source>ステージ選択に %1&#x3000;%2 を表示しました</source>
        <translation>Stage %1 %2 is now shown in the stage selection</translation>
    </message>
    <message>
        <source>確認中</source>
        <translation>Checking</translation>
    </message>
    <message>
        <source>記録なし</source>
        <translation>no record</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the cells of a row read aloud</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a column&apos;s heading and the value under it</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>クリア済み</source>
        <translation>Cleared</translation>
    </message>
    <message>
        <source>記録とグラフ(&amp;G)</source>
        <translation>&amp;Numbers and chart</translation>
    </message>
</context>
<context>
    <name>Rules</name>
    <message>
        <source>やさしい</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>むずかしい</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>おまかせ・%1・%2</source>
        <translation>Auto·%1·%2</translation>
    </message>
</context>
<context>
    <name>SoundFailureMessage</name>
    <message>
        <source>WaveMix DLLが見つかりません。<byte value="xd"/>
正常に音が出力されません。</source>
        <translation>No sound can be played: there is no sound device, or the sound library could not be loaded.<byte value="xd"/>
The stage plays without sound.</translation>
    </message>
    <message>
        <source>ズミラク  WaveMix Error</source>
        <translation>Zumirak – No Sound</translation>
    </message>
</context>
<context>
    <name>StageClock</name>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>StageCode</name>
    <message>
        <source>ズミラクのステージコードではありません。</source>
        <translation>This is not a Zumirak stage code.</translation>
    </message>
    <message>
        <source>ステージコードが壊れています。</source>
        <translation>The stage code is damaged.</translation>
    </message>
    <message>
        <source>このステージコードは新しい版のズミラクで作られたものです。</source>
        <translation>This stage code was made by a newer version of Zumirak.</translation>
    </message>
</context>
<context>
    <name>StageFile</name>
    <message>
        <source>ボールがありません</source>
        <translation>There are no balls</translation>
    </message>
    <message>
        <source>名前が%1文字を超えています</source>
        <translation>The title is longer than %1 characters</translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>ステージファイルの形式ではありません（%1）</source>
        <translation>This is not a stage file (%1)</translation>
    </message>
    <message>
        <source>盤の外にボールがあります：%1</source>
        <translation>A ball is off the board: %1</translation>
    </message>
    <message>
        <source>一つのマスにボールが二つあります：%1</source>
        <translation>Two balls are on the same cell: %1</translation>
    </message>
    <message>
        <source>Layout：</source>
        <translation>Layout: </translation>
    </message>
    <message>
        <source>%1バイトより大きいファイルです</source>
        <translation>the file is larger than %1 bytes</translation>
    </message>
    <message>
        <source>UTF-8のINI形式のテキストではありません</source>
        <translation>not UTF-8 text in INI form</translation>
    </message>
    <message>
        <source>[Stage] の Layout がありません</source>
        <translation>no Layout in [Stage]</translation>
    </message>
    <message>
        <source>題名に制御文字があります</source>
        <translation>a control character in the title</translation>
    </message>
    <message>
        <source>題名に半端な文字があります</source>
        <translation>a broken character in the title</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>The file does not exist</translation>
    </message>
    <message>
        <source>リンク先のファイルがありません</source>
        <translation>The link points to a file that does not exist</translation>
    </message>
    <message>
        <source>ファイルではなくフォルダーです</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>ファイルを読み込めません（普通のファイルではありません）</source>
        <translation>The file cannot be read (not a regular file)</translation>
    </message>
    <message>
        <source>ファイルを読み込めません（読む許可がありません）</source>
        <translation>The file cannot be read (no permission to read it)</translation>
    </message>
    <message>
        <source>%1行目が [見出し] でも 名前=値 でもありません</source>
        <translation>line %1 is neither a [section] nor a name=value line</translation>
    </message>
</context>
<context>
    <name>StageImport</name>
    <message>
        <source>「%1」はステージに追加できません。<byte value="xd"/>
%2</source>
        <translation>“%1” cannot be added to the stages.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
    <message>
        <source>ステージ%1「%2」</source>
        <translation>stage %1 “%2”</translation>
    </message>
    <message>
        <source>「%1」と同じ形のステージは既にあります（%2）。</source>
        <translation>There is already a stage with the same figure as “%1” (%2).</translation>
    </message>
    <message>
        <source>「%1」と同じ形のステージの題名を変えました（%2）。</source>
        <translation>The stage with the same figure as “%1” now has its title (%2).</translation>
    </message>
    <message>
        <source>%1を追加しました。</source>
        <translation>Added %1.</translation>
    </message>
    <message>
        <source>次の%1個のファイルはステージに追加できません。</source>
        <translation>The following %1 files cannot be added to the stages.</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>ほか%1個</source>
        <translation>and %1 more</translation>
    </message>
</context>
<context>
    <name>StageProof</name>
    <message>
        <source>クリアできない配置です</source>
        <translation>This figure cannot be cleared</translation>
    </message>
    <message>
        <source>クリアできるか確かめきれませんでした</source>
        <translation>Could not confirm that this figure can be cleared</translation>
    </message>
</context>
<context>
    <name>StageRecord</name>
    <message>
        <source>%1回目の挑戦</source>
        <translation>Attempt %1</translation>
    </message>
    <message>
        <source>%1回目で成功</source>
        <translation>Cleared on attempt %1</translation>
    </message>
    <message>
        <source>達成記録%1秒</source>
        <translation>First clear: %1 s</translation>
    </message>
</context>
<context>
    <name>StageTable</name>
    <message>
        <source>矢の羽</source>
        <translation>Fletching</translation>
    </message>
    <message>
        <source>片根矢</source>
        <translation>Half Fletching</translation>
    </message>
    <message>
        <source>升２</source>
        <translation>Box 2</translation>
    </message>
    <message>
        <source>井</source>
        <translation>Well</translation>
    </message>
    <message>
        <source>まん字</source>
        <translation>Pinwheel</translation>
    </message>
    <message>
        <source>八つ橋</source>
        <translation>Zigzag Bridge</translation>
    </message>
    <message>
        <source>升１</source>
        <translation>Box 1</translation>
    </message>
    <message>
        <source>九</source>
        <translation>Nine</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>Ｙ</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>ワイングラス</source>
        <translation>Wine Glass</translation>
    </message>
    <message>
        <source>タクシー</source>
        <translation>Taxi</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>Ｂ’z</source>
        <translation>B’z</translation>
    </message>
    <message>
        <source>宗</source>
        <translation>Creed</translation>
    </message>
    <message>
        <source>MS</source>
        <translation>MS</translation>
    </message>
    <message>
        <source>薬ビン</source>
        <translation>Medicine Bottle</translation>
    </message>
    <message>
        <source>チョウチョ</source>
        <translation>Butterfly</translation>
    </message>
    <message>
        <source>克</source>
        <translation>Conquer</translation>
    </message>
    <message>
        <source>飛行機</source>
        <translation>Aeroplane</translation>
    </message>
    <message>
        <source>十字架</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>剣</source>
        <translation>Sword</translation>
    </message>
    <message>
        <source>与</source>
        <translation>Give</translation>
    </message>
    <message>
        <source>ピン</source>
        <translation>Pin</translation>
    </message>
    <message>
        <source>ピン２</source>
        <translation>Pin 2</translation>
    </message>
    <message>
        <source>リング</source>
        <translation>Ring</translation>
    </message>
    <message>
        <source>Ａ</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Ａ２</source>
        <translation>A2</translation>
    </message>
    <message>
        <source>やじろべー</source>
        <translation>Balancing Toy</translation>
    </message>
    <message>
        <source>６８</source>
        <translation>68</translation>
    </message>
</context>
<context>
    <name>StageWorkshop</name>
    <message>
        <source>ステージ作成</source>
        <translation>Stage Workshop</translation>
    </message>
    <message>
        <source>題名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直す</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>自動で作る</source>
        <translation>Generate a Figure</translation>
    </message>
    <message>
        <source>空なら毎回ちがう形</source>
        <translation>blank for a random one</translation>
    </message>
    <message>
        <source>おまかせ</source>
        <translation>Surprise Me</translation>
    </message>
    <message>
        <source>ボールの数</source>
        <translation>Balls</translation>
    </message>
    <message>
        <source>難しさ</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>種</source>
        <translation>Seed</translation>
    </message>
    <message>
        <source>試す</source>
        <translation>Try</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ステージを開く</source>
        <translation>Open a Stage</translation>
    </message>
    <message>
        <source>開くステージ</source>
        <translation>Stage to open</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>共有</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>書き出し</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>ボールの数：%1</source>
        <translation>Balls: %1</translation>
    </message>
    <message>
        <source>難しさ：</source>
        <translation>Difficulty: </translation>
    </message>
    <message>
        <source>ボールを置いてください</source>
        <translation>Place some balls</translation>
    </message>
    <message>
        <source>クリアできません（×のボールは縦にも横にもほかとつながっていません）</source>
        <translation>Cannot be cleared: a ball marked × shares no row or column with any other ball</translation>
    </message>
    <message>
        <source>クリアできるか調べています…</source>
        <translation>Checking whether it can be cleared…</translation>
    </message>
    <message>
        <source>クリアできます</source>
        <translation>Can be cleared</translation>
    </message>
    <message>
        <source>クリアできるか確かめきれません（保存できません）</source>
        <translation>Could not confirm that it can be cleared, so it cannot be saved</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>ズミラク</source>
        <translation>Zumirak</translation>
    </message>
    <message>
        <source>ステージファイル (*.%1)|*.%1</source>
        <translation>Stage files (*.%1)|*.%1</translation>
    </message>
    <message>
        <source>ステージを保存できません。<byte value="xd"/>
%1</source>
        <translation>The stage cannot be saved.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>ステージを削除できませんでした。</source>
        <translation>The stage could not be deleted.</translation>
    </message>
    <message>
        <source>「%1」に書き出せませんでした。</source>
        <translation>Could not export to “%1”.</translation>
    </message>
    <message>
        <source>「%1」はステージに追加できません。<byte value="xd"/>
%2</source>
        <translation>“%1” cannot be added to the stages.<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>クリアできません（行き止まりのボールが%1個：取れるのは最初と最後の2個だけ）</source>
        <translation>Cannot be cleared: %1 balls are dead ends, but only the first and the last ball taken may be</translation>
    </message>
    <message>
        <source>クリアできません（どの順に取っても途中で次のボールがなくなります）</source>
        <translation>Cannot be cleared: in every order the takes get stuck before the last ball</translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>おまかせで使った種：%1</source>
        <translation>Seed used: %1</translation>
    </message>
    <message>
        <source>プレイ中のステージ「%1」を閉じて、この図形を試します。<byte value="xd"/>
閉じたステージは挑戦1回と数えられます。宜しいですか？</source>
        <translation>To try this figure, the stage in play, “%1”, will be closed.<byte value="xd"/>
Closing it counts as an attempt. Continue?</translation>
    </message>
    <message>
        <source>この形は既にステージ%1「%2」です</source>
        <translation>This figure is already stage %1 “%2”</translation>
    </message>
    <message>
        <source>ステージ%1の題名を「%2」にしました</source>
        <translation>Stage %1 is now titled “%2”</translation>
    </message>
    <message>
        <source>「%1」をステージ%2「%3」として追加しました</source>
        <translation>“%1” added as stage %2 “%3”</translation>
    </message>
    <message>
        <source>ステージ%1「%2」として保存しました</source>
        <translation>Saved as stage %1 “%2”</translation>
    </message>
    <message>
        <source>ステージ%1「%2」を削除します。<byte value="xd"/>
その記録も消えますが、宜しいですか？</source>
        <translation>Stage %1 “%2” will be deleted, and its record with it.<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>ステージコードをクリップボードにコピーしました</source>
        <translation>Stage code copied to the clipboard</translation>
    </message>
    <message>
        <source>「%1」を書き出しました
場所：%2</source>
        <translation>Exported “%1”
Folder: %2</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation> “%1”</translation>
    </message>
    <message>
        <source>ステージ作成の図形%1は保存されていません。<byte value="xd"/>
保存しますか？</source>
        <translation>The figure%1 in the stage workshop has not been saved.<byte value="xd"/>
Save it?</translation>
    </message>
    <message>
        <source>ステージ作成の図形%1は保存されていません。<byte value="xd"/>
クリアできると確かめられていないので、保存するとファイルに書き出します。</source>
        <translation>The figure%1 in the stage workshop has not been saved.<byte value="xd"/>
It is not known to be clearable, so saving writes it to a file.</translation>
    </message>
    <message>
        <source>ステージ%1「%2」はプレイ中です。削除するとプレイ画面を閉じます。<byte value="xd"/>
その記録も消えますが、宜しいですか？</source>
        <translation>Stage %1 “%2” is being played. Deleting it closes the play window.<byte value="xd"/>
Its record goes too. Go ahead?</translation>
    </message>
    <message>
        <source>ステージ%1「%2」を削除しました</source>
        <translation>Deleted stage %1 “%2”</translation>
    </message>
    <message>
        <source>前回保存されなかった図形を戻しました</source>
        <translation>The drawing left unsaved last time is back</translation>
    </message>
    <message>
        <source>元に戻しました</source>
        <translation>Undone</translation>
    </message>
    <message>
        <source>やり直しました</source>
        <translation>Redone</translation>
    </message>
    <message>
        <source>%1行 %2列 %3</source>
        <translation>Row %1, column %2, %3</translation>
    </message>
    <message>
        <source>ボールあり</source>
        <translation>ball</translation>
    </message>
    <message>
        <source>空き</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <comment>an undo or redo, and what it changed</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>描きかけの図形を控えておけません。保存する前にゲームが終わると失われます</source>
        <translation>The drawing cannot be kept safe: it is lost if the game ends before you save it</translation>
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
    <message>
        <source>起動中のズミラクが応答しないため、次のファイルは追加されていません。</source>
        <translation>It does not respond, so these files were not added:</translation>
    </message>
    <message>
        <source>ほか%1個</source>
        <translation>and %1 more</translation>
    </message>
</context>
<context>
    <name>UserAdd</name>
    <message>
        <source>ﾕｰｻﾞ登録</source>
        <translation>User Registration</translation>
    </message>
    <message>
        <source>会社名</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>ユーザ名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>ＯＫ</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ズミラクをDownLoadして頂き、ありがとうございました</source>
        <translation>Thank you for downloading Zumirak.</translation>
    </message>
    <message>
        <source>使用される前にユーザ登録を行って下さい。</source>
        <translation>Please register before you play.</translation>
    </message>
    <message>
        <source>%1%2</source>
        <comment>the window&apos;s two lines, spoken as one</comment>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>WorkshopBoard</name>
    <message>
        <source>盤</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>矢印キーで移動し、スペースキーでボールを置いたり取ったりします</source>
        <translation>Arrow keys move; Space places or removes a ball</translation>
    </message>
    <message>
        <source>ボール %1行 %2列</source>
        <translation>Ball, row %1, column %2</translation>
    </message>
    <message>
        <source>%1行 %2列 %3</source>
        <translation>Row %1, column %2, %3</translation>
    </message>
    <message>
        <source>ボールあり</source>
        <translation>ball</translation>
    </message>
    <message>
        <source>空き</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>ボールあり（×：ほかのボールから取れません）</source>
        <translation>ball (×: cannot be reached from any other ball)</translation>
    </message>
</context>
<context>
    <name>DailyChart</name>
    <message>
        <source>最近%1週間のクリア時間のグラフ</source>
        <translation>Chart of the clear times of the last %1 weeks</translation>
    </message>
    <message>
        <source>%1からの週</source>
        <translation>week of %1</translation>
    </message>
    <message>
        <source>M月d日</source>
        <comment>the date of a week&apos;s Monday</comment>
        <translation>MMM d</translation>
    </message>
    <message>
        <source>%1：クリアなし</source>
        <translation>%1: nothing cleared</translation>
    </message>
    <message numerus="yes">
        <source>%1：クリア %n日、最短 %2秒、最長 %3秒</source>
        <translation>
            <numerusform>%1: %n day cleared, fastest %2 s, slowest %3 s</numerusform>
            <numerusform>%1: %n days cleared, fastest %2 s, slowest %3 s</numerusform>
        </translation>
    </message>
    <message>
        <source>その日のうちにクリア</source>
        <translation>Cleared on the day</translation>
    </message>
    <message>
        <source>後日クリア</source>
        <translation>Cleared later</translation>
    </message>
    <message>
        <source>挑戦して未クリア</source>
        <translation>Tried, not cleared</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>この期間にクリアした日はまだありません</source>
        <translation>No day cleared in these weeks yet</translation>
    </message>
    <message>
        <source>。</source>
        <comment>between two weeks read aloud</comment>
        <translation>. </translation>
    </message>
    <message>
        <source>グラフの色：濃い青はその日のうちにクリア、薄い青は後日クリア、赤い印は挑戦して未クリアの日</source>
        <translation>Chart colours: dark blue, cleared on the day; pale blue, cleared later; a red mark, tried and not cleared</translation>
    </message>
</context>
<context>
    <name>DailyNumbers</name>
    <message>
        <source>月曜日</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>火曜日</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>水曜日</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>木曜日</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>金曜日</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>土曜日</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>日曜日</source>
        <translation>Sunday</translation>
    </message>
    <message numerus="yes">
        <source>%n日</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>－</source>
        <comment>no time yet</comment>
        <translation>–</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>日替わりステージの記録</source>
        <translation>Daily stage: your numbers</translation>
    </message>
    <message>
        <source>いまの連続</source>
        <translation>Current streak</translation>
    </message>
    <message>
        <source>最長の連続</source>
        <translation>Longest streak</translation>
    </message>
    <message>
        <source>その日のうちにクリア</source>
        <translation>Cleared on the day</translation>
    </message>
    <message>
        <source>後日クリア</source>
        <translation>Cleared later</translation>
    </message>
    <message>
        <source>最近%1週間のクリア時間</source>
        <translation>Clear times of the last %1 weeks</translation>
    </message>
    <message>
        <source>曜日ごとの記録</source>
        <translation>By day of the week</translation>
    </message>
    <message>
        <source>曜日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Cleared</translation>
    </message>
    <message>
        <source>最高</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>中央値</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>%1：クリアした日なし</source>
        <translation>%1: no day cleared</translation>
    </message>
    <message>
        <source>%1：クリア %2、最高 %3、中央値 %4</source>
        <translation>%1: cleared %2, best %3, median %4</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
