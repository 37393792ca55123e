<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>BatchConvert</name>
    <message>
        <source>pens</source>
        <translation>線種</translation>
    </message>
    <message>
        <source>widths</source>
        <translation>線幅</translation>
    </message>
    <message>
        <source>colours</source>
        <translation>色</translation>
    </message>
    <message>
        <source>    skipped %1 entry %2 (%3 -&gt; %4): %5</source>
        <translation>    %1 の項目 %2 を飛ばしました (%3 -&gt; %4): %5</translation>
    </message>
    <message>
        <source>applied %1; skipped %2</source>
        <translation>適用 %1、飛ばした項目 %2</translation>
    </message>
    <message>
        <source>converted</source>
        <translation>変換しました</translation>
    </message>
    <message>
        <source>FAILED: %1</source>
        <translation>失敗: %1</translation>
    </message>
    <message>
        <source>    note: %1</source>
        <translation>    注記: %1</translation>
    </message>
    <message>
        <source>%1 of %2 drawings converted, %3 failed</source>
        <translation>図面 %2 件のうち %1 件を変換、%3 件が失敗</translation>
    </message>
    <message>
        <source>entries applied: %1</source>
        <translation>適用した項目: %1</translation>
    </message>
    <message>
        <source>entries skipped, %1: %2</source>
        <translation>飛ばした項目 (%1): %2</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失敗: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Use DIR as the host&apos;s system folder (option, template and history files) instead of ~/.local/share/mobr/system.</source>
        <translation>ホストのシステムフォルダ (オプション、テンプレート、履歴のファイル) として ~/.local/share/mobr/system の代わりに DIR を使います。</translation>
    </message>
    <message>
        <source>Start in boot mode: the work option set is chosen before the window opens. STATUS is the command status word (default 64).</source>
        <translation>起動モードで始めます: ウィンドウが開く前に作業オプションセットを選びます。STATUS はコマンド状態ワードです (既定値 64)。</translation>
    </message>
    <message>
        <source>Save a picture of the main window to FILE.png and quit.</source>
        <translation>メインウィンドウの画像を FILE.png に保存して終了します。</translation>
    </message>
    <message>
        <source>run: write the transcript to FILE; export: write the JSON to FILE; convert: write the converted drawings into the folder FILE.</source>
        <translation>run: 実行記録を FILE に書きます。export: JSON を FILE に書きます。convert: 変換した図面をフォルダ FILE に書きます。</translation>
    </message>
    <message>
        <source>convert: the reference drawing whose line types, widths and colours the drawings take.</source>
        <translation>convert: 線種・線幅・色の手本にする参照図面です。</translation>
    </message>
    <message>
        <source>convert: the conversion definition file (.fac) to apply.</source>
        <translation>convert: 適用する変換定義ファイル (.fac) です。</translation>
    </message>
    <message>
        <source>convert: replace each drawing with its converted form (the original stays until the replacement is complete).</source>
        <translation>convert: 各図面を変換後の図面で置き換えます (置き換えが済むまで元の図面は残ります)。</translation>
    </message>
    <message>
        <source>convert: convert N drawings at a time (default: one per core).</source>
        <translation>convert: 一度に N 件の図面を変換します (既定値: コアごとに 1 件)。</translation>
    </message>
    <message>
        <source>run: save the scenario&apos;s screenshots in DIR.</source>
        <translation>run: シナリオのスクリーンショットを DIR に保存します。</translation>
    </message>
    <message>
        <source>run: compare the transcript with the scenario&apos;s &quot;expect&quot; member.</source>
        <translation>run: 実行記録をシナリオの &quot;expect&quot; メンバーと照合します。</translation>
    </message>
    <message>
        <source>Speak LANG: en (English) or ja (Japanese). Without it mobr follows the locale (LANG=ja_JP.UTF-8 for Japanese).</source>
        <translation>表示言語 LANG を en (英語) か ja (日本語) に決めます。指定がなければロケールに従います (日本語は LANG=ja_JP.UTF-8)。</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>このヘルプを表示して終了します。</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>バージョンを表示して終了します。</translation>
    </message>
    <message>
        <source>
Exit status:
  0  success
  1  the figure or JSON was refused, a scenario step had errors, or a drawing was not converted
  2  wrong command line, or a file could not be read or written, or the host did not start
  3  run --check: the transcript does not meet the scenario&apos;s expectations
</source>
        <translation>
終了コード:
  0  成功
  1  図面または JSON が受け付けられなかった、シナリオの手順にエラーがあった、または変換できない図面があった
  2  コマンドラインの誤り、ファイルの読み書きの失敗、またはホストが起動しなかった
  3  run --check: 実行記録がシナリオの期待どおりでない
</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 が二度以上指定されています</translation>
    </message>
    <message>
        <source>--lang takes en or ja, found %1</source>
        <translation>--lang には en か ja を指定します (指定値: %1)</translation>
    </message>
    <message>
        <source>--boot= needs a command status word, found %1</source>
        <translation>--boot= にはコマンド状態ワードが必要です (指定値: %1)</translation>
    </message>
    <message>
        <source>run needs exactly one scenario file</source>
        <translation>run にはシナリオファイルをちょうど一つ指定します</translation>
    </message>
    <message>
        <source>export needs a figure and at most one output file</source>
        <translation>export には図面と、多くとも一つの出力ファイルを指定します</translation>
    </message>
    <message>
        <source>--jobs needs a number of 1 or more</source>
        <translation>--jobs には 1 以上の数を指定します</translation>
    </message>
    <message>
        <source>convert needs --reference and --definition</source>
        <translation>convert には --reference と --definition が必要です</translation>
    </message>
    <message>
        <source>convert needs exactly one of --out DIR and --in-place</source>
        <translation>convert には --out DIR と --in-place のどちらか一方だけを指定します</translation>
    </message>
    <message>
        <source>convert needs at least one drawing</source>
        <translation>convert には図面を一つ以上指定します</translation>
    </message>
    <message>
        <source>import needs a JSON file and a figure file</source>
        <translation>import には JSON ファイルと図面ファイルを指定します</translation>
    </message>
    <message>
        <source>unknown command or more than one figure: %1</source>
        <translation>不明なコマンド、または図面が二つ以上あります: %1</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>不明なコマンド %1</translation>
    </message>
    <message>
        <source>--reference, --definition, --in-place and --jobs belong to convert</source>
        <translation>--reference、--definition、--in-place、--jobs は convert 用のオプションです</translation>
    </message>
    <message>
        <source>--out, --screenshots and --check belong to run</source>
        <translation>--out、--screenshots、--check は run 用のオプションです</translation>
    </message>
    <message>
        <source>--screenshots and --check belong to run</source>
        <translation>--screenshots と --check は run 用のオプションです</translation>
    </message>
    <message>
        <source>export, import: write a .dxf output as DXF R12 instead of R2000.</source>
        <translation>export, import: .dxf の出力を R2000 ではなく DXF R12 で書き込みます。</translation>
    </message>
    <message>
        <source>usage: mobr [FIGURE] [--system DIR] [--boot[=STATUS]] [--screenshot FILE.png] [--lang en|ja]
       mobr run SCENARIO.json [--out TRANSCRIPT.json] [--screenshots DIR] [--check]
       mobr export FIGURE [OUT.json|OUT.dxf] [--r12]
       mobr import IN.json|IN.dxf FIGURE [--r12]
       mobr convert --reference REF --definition DEF.fac (--out DIR | --in-place) [--jobs N] FIGURE...
       mobr help | --help | --version
</source>
        <translation>使い方: mobr [FIGURE] [--system DIR] [--boot[=STATUS]] [--screenshot FILE.png] [--lang en|ja]
        mobr run SCENARIO.json [--out TRANSCRIPT.json] [--screenshots DIR] [--check]
        mobr export FIGURE [OUT.json|OUT.dxf] [--r12]
        mobr import IN.json|IN.dxf FIGURE [--r12]
        mobr convert --reference REF --definition DEF.fac (--out DIR | --in-place) [--jobs N] FIGURE...
        mobr help | --help | --version
</translation>
    </message>
    <message>
        <source>
A small drawing host for the settings module. Without a command it opens FIGURE (a figure
file, figure JSON or DXF drawing) in a window; without a display it does nothing more unless
--screenshot is given.

Commands:
  run       Run a scenario: the dialogs it names are driven by its steps, headless.
  export    Write a drawing as figure JSON (to standard output without OUT.json) or DXF.
  import    Make a figure file (or a DXF drawing) from figure JSON or DXF.
  convert   Apply a conversion definition to drawings (figure files or DXF) without a dialog:
            each drawing takes the reference drawing&apos;s line types, widths and colours; a
            drawing whose conversion fails is not written.
  help      Show this help.

</source>
        <translation>
設定モジュールのための小さな作図ホストです。コマンドなしでは FIGURE (図面ファイル、図面 JSON
または DXF 図面) をウィンドウに開きます。画面がなければ、--screenshot の指定がない限り何もしません。

コマンド:
  run       シナリオを実行します: シナリオが挙げるダイアログを手順どおり画面なしで操作します。
  export    図面を図面 JSON (OUT.json がなければ標準出力へ) または DXF に書き出します。
  import    図面 JSON または DXF から図面ファイル (または DXF 図面) を作ります。
  convert   ダイアログなしで図面 (図面ファイルまたは DXF) に変換定義を適用します: 各図面は
            参照図面の線種・線幅・色を受け取ります。変換に失敗した図面は書き込みません。
  help      このヘルプを表示します。

</translation>
    </message>
</context>
<context>
    <name>FigureDocument</name>
    <message>
        <source>%1: is a folder, not a figure</source>
        <translation>%1: フォルダーです。図面ではありません</translation>
    </message>
    <message>
        <source>%1: is not a regular file (a FIFO, a device or a socket)</source>
        <translation>%1: 通常のファイルではありません (FIFO、デバイス、またはソケット)</translation>
    </message>
    <message>
        <source>%1: too large for a figure JSON (%2 bytes)</source>
        <translation>%1: 図面 JSON としては大きすぎます (%2 バイト)</translation>
    </message>
    <message>
        <source>there is no figure to save</source>
        <translation>保存する図面がありません</translation>
    </message>
    <message>
        <source>%1: cannot be written (%2); the old file is kept</source>
        <translation>%1: 書き込めません (%2)。元のファイルはそのまま残します</translation>
    </message>
    <message>
        <source>%1: not exported: %2</source>
        <translation>%1: 書き出しませんでした: %2</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>mobr help</source>
        <translation>mobr ヘルプ</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>進む</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>目次</translation>
    </message>
    <message>
        <source>%1 - mobr help</source>
        <translation>%1 - mobr ヘルプ</translation>
    </message>
    <message>
        <source>&lt;p&gt;See the &lt;a href=&quot;%1&quot;&gt;contents&lt;/a&gt; for the pages there are.&lt;/p&gt;</source>
        <translation>&lt;p&gt;用意されているページは&lt;a href=&quot;%1&quot;&gt;目次&lt;/a&gt;をご覧ください。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The help pages were not found: the resource file ZQRCTMPL.rcc belongs next to the program.&lt;/p&gt;</source>
        <translation>&lt;p&gt;ヘルプページが見つかりません: リソースファイル ZQRCTMPL.rcc はプログラムと同じフォルダに置きます。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head&gt;&lt;title&gt;Topic %1&lt;/title&gt;&lt;/head&gt;&lt;body&gt;&lt;h1&gt;Topic %1&lt;/h1&gt;&lt;p&gt;There is no help page for this topic.&lt;/p&gt;%2&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head&gt;&lt;title&gt;トピック %1&lt;/title&gt;&lt;/head&gt;&lt;body&gt;&lt;h1&gt;トピック %1&lt;/h1&gt;&lt;p&gt;このトピックのヘルプページはありません。&lt;/p&gt;%2&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Topic %1 - mobr help</source>
        <translation>トピック %1 - mobr ヘルプ</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>mobr</source>
        <translation>mobr</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Open &amp;recent</source>
        <translation>最近使ったファイル(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>印刷(&amp;P)...</translation>
    </message>
    <message>
        <source>Print pre&amp;view...</source>
        <translation>印刷プレビュー(&amp;V)...</translation>
    </message>
    <message>
        <source>&amp;Import JSON...</source>
        <translation>JSON を読み込む(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Export JSON...</source>
        <translation>JSON に書き出す(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直す(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Fit the drawing</source>
        <translation>図面全体を表示(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>The settings module offers no commands</source>
        <translation>設定モジュールにコマンドがありません</translation>
    </message>
    <message>
        <source>The settings module is not loaded</source>
        <translation>設定モジュールが読み込まれていません</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>mobr &amp;manual</source>
        <translation>mobr マニュアル(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;About mobr</source>
        <translation>mobr について(&amp;A)</translation>
    </message>
    <message>
        <source>About mobr</source>
        <translation>mobr について</translation>
    </message>
    <message>
        <source>&lt;h3&gt;mobr %1&lt;/h3&gt;&lt;p&gt;A small drawing program for 2D CAD figures. It is the reference host of the settings module: it opens, shows, prints and saves figures, and runs the settings dialogs that the module offers against them.&lt;/p&gt;&lt;p&gt;Built with Qt %2, running on Qt %3.&lt;/p&gt;&lt;p&gt;Help &amp;gt; mobr manual (F1) describes the program and every dialog.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;mobr %1&lt;/h3&gt;&lt;p&gt;2D CAD 図面のための小さな作図プログラムです。設定モジュールの基準となるホストで、図面を開き、表示し、印刷し、保存し、モジュールが提供する設定ダイアログを図面に対して実行します。&lt;/p&gt;&lt;p&gt;Qt %2 でビルド、Qt %3 で動作中。&lt;/p&gt;&lt;p&gt;プログラムとすべてのダイアログの説明は [ヘルプ] &amp;gt; [mobr マニュアル] (F1) にあります。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>own size</source>
        <translation>自由サイズ</translation>
    </message>
    <message>
        <source>untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Drawing size %1 x %2 mm (%3), %4 elements</source>
        <translation>図面サイズ %1 x %2 mm (%3)、要素 %4 個</translation>
    </message>
    <message>
        <source>Open figure</source>
        <translation>図面を開く</translation>
    </message>
    <message>
        <source>Save figure</source>
        <translation>図面を保存</translation>
    </message>
    <message>
        <source>Import figure JSON</source>
        <translation>図面 JSON の読み込み</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>Export figure JSON</source>
        <translation>図面 JSON の書き出し</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>元に戻す(&amp;U): %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>やり直す(&amp;R): %1</translation>
    </message>
    <message>
        <source>The drawing %1 has changes that are not saved.
Save them first?</source>
        <translation>図面 %1 には保存されていない変更があります。
先に保存しますか?</translation>
    </message>
    <message>
        <source>The recovery copy could not be written: %1</source>
        <translation>復旧用コピーを書き込めませんでした: %1</translation>
    </message>
    <message>
        <source>an untitled drawing</source>
        <translation>無題の図面</translation>
    </message>
    <message>
        <source>mobr was not closed properly. A recovery copy of %1 was written at %2.
Open it, or discard it? (Cancel keeps it for the next start.)</source>
        <translation>mobr は正しく終了しませんでした。%1 の復旧用コピーが %2 に書かれています。
開きますか、破棄しますか? (キャンセルすると次回の起動まで残します。)</translation>
    </message>
    <message>
        <source>%1 no longer exists; it is taken off the list.</source>
        <translation>%1 はもうありません。一覧から外します。</translation>
    </message>
    <message>
        <source>&amp;Clear the list</source>
        <translation>一覧を消去(&amp;C)</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>プリンターを開始できませんでした。</translation>
    </message>
    <message>
        <source>System &amp;attributes...</source>
        <translation>システム属性(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Element settings...</source>
        <translation>要素の設定(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>オプション(&amp;O)...</translation>
    </message>
    <message>
        <source>User &amp;template...</source>
        <translation>ユーザーテンプレート(&amp;T)...</translation>
    </message>
    <message>
        <source>Attribute &amp;conversion...</source>
        <translation>属性変換(&amp;C)...</translation>
    </message>
    <message>
        <source>&amp;Drawing size...</source>
        <translation>図面サイズ(&amp;D)...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Drawings (*.fig *.json *.dxf);;DXF drawings (*.dxf);;All files (*)</source>
        <translation>図面 (*.fig *.json *.dxf);;DXF 図面 (*.dxf);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Figures (*.fig)</source>
        <translation>図面 (*.fig)</translation>
    </message>
    <message>
        <source>DXF R2000 (*.dxf)</source>
        <translation>DXF R2000 図面 (*.dxf)</translation>
    </message>
    <message>
        <source>DXF R12 (*.dxf)</source>
        <translation>DXF R12 図面 (*.dxf)</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
</context>
<context>
    <name>ScenarioRunner</name>
    <message>
        <source>%1 step(s), %2 error(s)</source>
        <translation>手順 %1 件、エラー %2 件</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>dialogs: %1</source>
        <translation>ダイアログ: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>  %1 changed</source>
        <translation>  %1 が変わりました</translation>
    </message>
    <message>
        <source>figure: unchanged</source>
        <translation>図面: 変更なし</translation>
    </message>
    <message>
        <source>figure:</source>
        <translation>図面:</translation>
    </message>
    <message>
        <source>screenshot: %1</source>
        <translation>スクリーンショット: %1</translation>
    </message>
</context>
<context>
    <name>mobr</name>
    <message>
        <source>mobr run: %1</source>
        <translation>mobr run: %1</translation>
    </message>
    <message>
        <source>scenario %1: %2</source>
        <translation>シナリオ %1: %2</translation>
    </message>
    <message>
        <source>transcript: %1</source>
        <translation>実行記録: %1</translation>
    </message>
    <message>
        <source>mobr run: expectation not met: %1</source>
        <translation>mobr run: 期待どおりではありません: %1</translation>
    </message>
    <message>
        <source>mobr: the host did not start: %1</source>
        <translation>mobr: ホストが起動しませんでした: %1</translation>
    </message>
    <message>
        <source>the settings module did not load (%1); the figure opens without settings commands</source>
        <translation>設定モジュールを読み込めませんでした (%1)。設定コマンドなしで図面を開きます</translation>
    </message>
    <message>
        <source>mobr: work option selection at start returned %1</source>
        <translation>mobr: 起動時の作業オプション選択の戻り値は %1 です</translation>
    </message>
    <message>
        <source>mobr: cannot write %1</source>
        <translation>mobr: %1 に書き込めません</translation>
    </message>
    <message>
        <source>main window: %1</source>
        <translation>メインウィンドウ: %1</translation>
    </message>
    <message>
        <source>mobr: no display; nothing more to do (mobr run SCENARIO runs dialogs headless)</source>
        <translation>mobr: 画面がないため、これ以上することはありません (mobr run SCENARIO で画面なしにダイアログを実行できます)</translation>
    </message>
    <message>
        <source>Try &apos;mobr --help&apos; for the options and exit codes.
</source>
        <translation>オプションと終了コードは &apos;mobr --help&apos; で確認できます。
</translation>
    </message>
</context>
</TS>
