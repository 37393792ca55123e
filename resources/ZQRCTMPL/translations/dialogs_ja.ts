<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CZqPropertySheet</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_ATRCNVD_001</name>
    <message>
        <source>Choose a line type</source>
        <translation>線種の選択</translation>
    </message>
    <message>
        <source>&amp;Line types of the reference:</source>
        <translation>参照図面の線種(&amp;L):</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>見本</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>詳細</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>幅:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>方式:</translation>
    </message>
    <message>
        <source>Drawn in:</source>
        <translation>描画色:</translation>
    </message>
    <message>
        <source>View 1</source>
        <translation>ビュー 1</translation>
    </message>
    <message>
        <source>View 2</source>
        <translation>ビュー 2</translation>
    </message>
    <message>
        <source>View 3</source>
        <translation>ビュー 3</translation>
    </message>
    <message>
        <source>Pitch pairs:</source>
        <translation>ピッチの組:</translation>
    </message>
    <message>
        <source>Pair 1:</source>
        <translation>組 1:</translation>
    </message>
    <message>
        <source>Pair 2:</source>
        <translation>組 2:</translation>
    </message>
    <message>
        <source>Pair 3:</source>
        <translation>組 3:</translation>
    </message>
    <message>
        <source>Pair 4:</source>
        <translation>組 4:</translation>
    </message>
    <message>
        <source>Pair 5:</source>
        <translation>組 5:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>色:</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_ATRCNVD_002</name>
    <message>
        <source>Choose a width</source>
        <translation>線幅の選択</translation>
    </message>
    <message>
        <source>&amp;Widths of the reference:</source>
        <translation>参照図面の線幅(&amp;W):</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>見本</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>詳細</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>幅:</translation>
    </message>
    <message>
        <source>Plotter pen:</source>
        <translation>プロッタのペン:</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_ATRCNVD_003</name>
    <message>
        <source>Choose a colour</source>
        <translation>色の選択</translation>
    </message>
    <message>
        <source>&amp;Colours of the reference:</source>
        <translation>参照図面の色(&amp;C):</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>見本</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>詳細</translation>
    </message>
    <message>
        <source>Red:</source>
        <translation>赤:</translation>
    </message>
    <message>
        <source>Green:</source>
        <translation>緑:</translation>
    </message>
    <message>
        <source>Blue:</source>
        <translation>青:</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_ATRCNVP_001</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Reference figure</source>
        <translation>参照図面</translation>
    </message>
    <message>
        <source>&amp;Reference...</source>
        <translation>参照(&amp;R)...</translation>
    </message>
    <message>
        <source>Definition file</source>
        <translation>定義ファイル</translation>
    </message>
    <message>
        <source>&amp;Definition...</source>
        <translation>定義(&amp;D)...</translation>
    </message>
    <message>
        <source>Reference named by the file:</source>
        <translation>ファイルが指定する参照図面:</translation>
    </message>
    <message>
        <source>&amp;Use the definition&apos;s reference figure</source>
        <translation>定義の参照図面を使う(&amp;U)</translation>
    </message>
    <message>
        <source>Entries:</source>
        <translation>項目:</translation>
    </message>
    <message>
        <source>Line &amp;types</source>
        <translation>線種(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Widths</source>
        <translation>線幅(&amp;W)</translation>
    </message>
    <message>
        <source>C&amp;olours</source>
        <translation>色(&amp;O)</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>&amp;Execute</source>
        <translation>実行(&amp;E)</translation>
    </message>
    <message>
        <source>After the conversion</source>
        <translation>変換後</translation>
    </message>
    <message>
        <source>Add what the figure lacks from the reference:</source>
        <translation>参照図面から不足分を追加:</translation>
    </message>
    <message>
        <source>Line t&amp;ypes</source>
        <translation>線種(&amp;Y)</translation>
    </message>
    <message>
        <source>W&amp;idths</source>
        <translation>線幅(&amp;I)</translation>
    </message>
    <message>
        <source>Colo&amp;urs</source>
        <translation>色(&amp;U)</translation>
    </message>
    <message>
        <source>Only tables with fewer than 255 entries can take more.</source>
        <translation>追加できるのは項目が 255 未満の表だけです。</translation>
    </message>
    <message>
        <source>Keep this conversion for other figures:</source>
        <translation>この変換をほかの図面にも使う:</translation>
    </message>
    <message>
        <source>&amp;Save as...</source>
        <translation>名前を付けて保存(&amp;S)...</translation>
    </message>
</context>
<context>
    <name>IDD_ATRCNVP_002</name>
    <message>
        <source>Line types</source>
        <translation>線種</translation>
    </message>
    <message>
        <source>&amp;Line types of the figure and what replaces them:</source>
        <translation>図面の線種と変換先(&amp;L):</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Line type of the figure</source>
        <translation>図面の線種</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>幅:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>方式:</translation>
    </message>
    <message>
        <source>Drawn in:</source>
        <translation>描画色:</translation>
    </message>
    <message>
        <source>View 1</source>
        <translation>ビュー 1</translation>
    </message>
    <message>
        <source>View 2</source>
        <translation>ビュー 2</translation>
    </message>
    <message>
        <source>View 3</source>
        <translation>ビュー 3</translation>
    </message>
    <message>
        <source>Pitch pairs:</source>
        <translation>ピッチの組:</translation>
    </message>
    <message>
        <source>Pair 1:</source>
        <translation>組 1:</translation>
    </message>
    <message>
        <source>Pair 2:</source>
        <translation>組 2:</translation>
    </message>
    <message>
        <source>Pair 3:</source>
        <translation>組 3:</translation>
    </message>
    <message>
        <source>Pair 4:</source>
        <translation>組 4:</translation>
    </message>
    <message>
        <source>Pair 5:</source>
        <translation>組 5:</translation>
    </message>
    <message>
        <source>Colour (R, G, B):</source>
        <translation>色 (R, G, B):</translation>
    </message>
    <message>
        <source>Replaced by</source>
        <translation>変換先</translation>
    </message>
    <message>
        <source>&amp;Choose...</source>
        <translation>選択(&amp;C)...</translation>
    </message>
</context>
<context>
    <name>IDD_ATRCNVP_003</name>
    <message>
        <source>Widths</source>
        <translation>線幅</translation>
    </message>
    <message>
        <source>&amp;Widths of the figure and what replaces them:</source>
        <translation>図面の線幅と変換先(&amp;W):</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Width of the figure</source>
        <translation>図面の線幅</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>幅:</translation>
    </message>
    <message>
        <source>Plotter pen:</source>
        <translation>プロッタのペン:</translation>
    </message>
    <message>
        <source>Replaced by</source>
        <translation>変換先</translation>
    </message>
    <message>
        <source>&amp;Choose...</source>
        <translation>選択(&amp;C)...</translation>
    </message>
</context>
<context>
    <name>IDD_ATRCNVP_004</name>
    <message>
        <source>Colours</source>
        <translation>色</translation>
    </message>
    <message>
        <source>&amp;Colours of the figure and what replaces them:</source>
        <translation>図面の色と変換先(&amp;C):</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Colour of the figure</source>
        <translation>図面の色</translation>
    </message>
    <message>
        <source>Red:</source>
        <translation>赤:</translation>
    </message>
    <message>
        <source>Green:</source>
        <translation>緑:</translation>
    </message>
    <message>
        <source>Blue:</source>
        <translation>青:</translation>
    </message>
    <message>
        <source>Replaced by</source>
        <translation>変換先</translation>
    </message>
    <message>
        <source>&amp;Choose...</source>
        <translation>選択(&amp;C)...</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_001</name>
    <message>
        <source>Line Types</source>
        <translation>線種</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>追加(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>変更(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>プレビュー(&amp;P)</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下へ</translation>
    </message>
    <message>
        <source>&amp;Recolour existing elements with the colour of their line type</source>
        <translation>既存の要素を線種の色で塗り直す(&amp;R)</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_002</name>
    <message>
        <source>Line Width</source>
        <translation>線幅</translation>
    </message>
    <message>
        <source>&amp;Line widths:</source>
        <translation>線幅(&amp;L):</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>見本</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>追加(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>変更(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_003</name>
    <message>
        <source>Colour</source>
        <translation>色</translation>
    </message>
    <message>
        <source>&amp;Colours:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>見本</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>追加(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>変更(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_004</name>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>&amp;Fonts:</source>
        <translation>フォント(&amp;F):</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>追加(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Modify...</source>
        <translation>変更(&amp;M)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_005</name>
    <message>
        <source>Figure</source>
        <translation>図面</translation>
    </message>
    <message>
        <source>Figure values</source>
        <translation>図面の値</translation>
    </message>
    <message>
        <source>Error distance &amp;exponent (1.0E-n):</source>
        <translation>誤差距離の指数 (1.0E-n)(&amp;E):</translation>
    </message>
    <message>
        <source>&amp;Draw order:</source>
        <translation>描画順(&amp;D):</translation>
    </message>
    <message>
        <source>Image colour depth</source>
        <translation>画像の色数</translation>
    </message>
    <message>
        <source>&amp;Standard (256 colours)</source>
        <translation>標準 (256 色)(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Full colour (24-bit)</source>
        <translation>フルカラー (24 ビット)(&amp;F)</translation>
    </message>
    <message>
        <source>Extended characters</source>
        <translation>拡張文字</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_006</name>
    <message>
        <source>Arrow Tips</source>
        <translation>矢印先端</translation>
    </message>
    <message>
        <source>Arrow tips</source>
        <translation>矢印先端</translation>
    </message>
    <message>
        <source>Offer as &amp;start tip</source>
        <translation>始点先端として表示(&amp;S)</translation>
    </message>
    <message>
        <source>Offer as &amp;end tip</source>
        <translation>終点先端として表示(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>名前の変更(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Dimension arrows</source>
        <translation>寸法矢印</translation>
    </message>
    <message>
        <source>Arrow &amp;length:</source>
        <translation>矢印の長さ(&amp;L):</translation>
    </message>
    <message>
        <source>Arrow &amp;angle (degrees):</source>
        <translation>矢印の角度 (度)(&amp;A):</translation>
    </message>
    <message>
        <source>Dot &amp;size:</source>
        <translation>点の大きさ(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Tip length:</source>
        <translation>先端の長さ(&amp;T):</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_010</name>
    <message>
        <source>Lines</source>
        <translation>線</translation>
    </message>
    <message>
        <source>New lines</source>
        <translation>新しい線</translation>
    </message>
    <message>
        <source>&amp;Line type:</source>
        <translation>線種(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Start tip:</source>
        <translation>始点先端(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;End tip:</source>
        <translation>終点先端(&amp;E):</translation>
    </message>
    <message>
        <source>Point type</source>
        <translation>点の種類</translation>
    </message>
    <message>
        <source>Dot</source>
        <translation>点</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>十字</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>円</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>正方形</translation>
    </message>
    <message>
        <source>Curves</source>
        <translation>曲線</translation>
    </message>
    <message>
        <source>S&amp;pline</source>
        <translation>スプライン(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;B-spline</source>
        <translation>Bスプライン(&amp;B)</translation>
    </message>
    <message>
        <source>Bé&amp;zier</source>
        <translation>ベジェ(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Division count:</source>
        <translation>分割数(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Tolerance:</source>
        <translation>許容差(&amp;T):</translation>
    </message>
    <message>
        <source>Hatching and centre lines</source>
        <translation>ハッチングと中心線</translation>
    </message>
    <message>
        <source>&amp;Hatch pattern ratio:</source>
        <translation>ハッチング模様の倍率(&amp;H):</translation>
    </message>
    <message>
        <source>Centre li&amp;ne:</source>
        <translation>中心線(&amp;N):</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_011</name>
    <message>
        <source>Dimensions</source>
        <translation>寸法</translation>
    </message>
    <message>
        <source>Sizes</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Extension line &amp;gap:</source>
        <translation>補助線の隙間(&amp;G):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Extension line &amp;overshoot:</source>
        <translation>補助線のはみ出し(&amp;O):</translation>
    </message>
    <message>
        <source>Text &amp;spacing:</source>
        <translation>文字間隔(&amp;S):</translation>
    </message>
    <message>
        <source>Text &amp;line spacing:</source>
        <translation>文字の行間(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Decimal digits:</source>
        <translation>小数桁数(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Tip length:</source>
        <translation>先端の長さ(&amp;T):</translation>
    </message>
    <message>
        <source>Tip &amp;width:</source>
        <translation>先端の幅(&amp;W):</translation>
    </message>
    <message>
        <source>Dot si&amp;ze:</source>
        <translation>点の大きさ(&amp;Z):</translation>
    </message>
    <message>
        <source>Extension lines</source>
        <translation>寸法補助線</translation>
    </message>
    <message>
        <source>To the &amp;element</source>
        <translation>要素まで(&amp;E)</translation>
    </message>
    <message>
        <source>Fi&amp;xed length</source>
        <translation>固定長(&amp;X)</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>長さ:</translation>
    </message>
    <message>
        <source>Text position</source>
        <translation>文字の位置</translation>
    </message>
    <message>
        <source>&amp;Centred</source>
        <translation>中央(&amp;C)</translation>
    </message>
    <message>
        <source>Offs&amp;et</source>
        <translation>オフセット(&amp;E)</translation>
    </message>
    <message>
        <source>Offset:</source>
        <translation>オフセット:</translation>
    </message>
    <message>
        <source>Dimension &amp;line...</source>
        <translation>寸法線(&amp;L)...</translation>
    </message>
    <message>
        <source>Dimension te&amp;xt...</source>
        <translation>寸法値(&amp;X)...</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_012</name>
    <message>
        <source>Characters</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>New texts</source>
        <translation>新しい文字</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>フォント(&amp;F):</translation>
    </message>
    <message>
        <source>Line t&amp;ype:</source>
        <translation>線種(&amp;Y):</translation>
    </message>
    <message>
        <source>Sizes and angles</source>
        <translation>サイズと角度</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高さ(&amp;H):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>幅(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Spacing:</source>
        <translation>間隔(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Line spacing:</source>
        <translation>行間(&amp;L):</translation>
    </message>
    <message>
        <source>Sla&amp;nt:</source>
        <translation>傾き(&amp;N):</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
    <message>
        <source>&amp;Angle:</source>
        <translation>角度(&amp;A):</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Hori&amp;zontal</source>
        <translation>水平(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Vertical</source>
        <translation>垂直(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Rotated</source>
        <translation>回転(&amp;R)</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>揃え</translation>
    </message>
    <message>
        <source>L&amp;eft</source>
        <translation>左(&amp;E)</translation>
    </message>
    <message>
        <source>C&amp;entre</source>
        <translation>中心(&amp;E)</translation>
    </message>
    <message>
        <source>Ri&amp;ght</source>
        <translation>右(&amp;G)</translation>
    </message>
    <message>
        <source>Font type</source>
        <translation>フォントの種類</translation>
    </message>
    <message>
        <source>&amp;Outline font</source>
        <translation>アウトラインフォント(&amp;O)</translation>
    </message>
    <message>
        <source>S&amp;troke font</source>
        <translation>ストロークフォント(&amp;T)</translation>
    </message>
</context>
<context>
    <name>IDD_PROPS_013</name>
    <message>
        <source>Display Colours</source>
        <translation>表示色</translation>
    </message>
    <message>
        <source>Display colours</source>
        <translation>表示色</translation>
    </message>
    <message>
        <source>&amp;Background:</source>
        <translation>背景(&amp;B):</translation>
    </message>
    <message>
        <source>&amp;Selected elements:</source>
        <translation>選択中の要素(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Temporary lines:</source>
        <translation>仮の線(&amp;T):</translation>
    </message>
    <message>
        <source>S&amp;nap marks:</source>
        <translation>スナップマーク(&amp;N):</translation>
    </message>
</context>
<context>
    <name>IDD_S_001</name>
    <message>
        <source>Drawing Size</source>
        <translation>図面サイズ</translation>
    </message>
    <message>
        <source>How the size is given</source>
        <translation>サイズの指定方法</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>サイズ(&amp;S)</translation>
    </message>
    <message>
        <source>S&amp;cale of the starting size</source>
        <translation>元のサイズに対する倍率(&amp;C)</translation>
    </message>
    <message>
        <source>Size &amp;and scale</source>
        <translation>サイズと尺度(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>用紙(&amp;P):</translation>
    </message>
    <message>
        <source>&amp;Width (mm):</source>
        <translation>幅 (mm)(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Height (mm):</source>
        <translation>高さ (mm)(&amp;H):</translation>
    </message>
    <message>
        <source>Sca&amp;le:</source>
        <translation>尺度(&amp;L):</translation>
    </message>
    <message>
        <source>Sizes (mm)</source>
        <translation>サイズ (mm)</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Starting size:</source>
        <translation>元のサイズ:</translation>
    </message>
    <message>
        <source>Resulting size:</source>
        <translation>変更後のサイズ:</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_003</name>
    <message>
        <source>Colour</source>
        <translation>色</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>赤(&amp;R):</translation>
    </message>
    <message>
        <source>&amp;Green:</source>
        <translation>緑(&amp;G):</translation>
    </message>
    <message>
        <source>&amp;Blue:</source>
        <translation>青(&amp;B):</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_S_004</name>
    <message>
        <source>Numeric parameter</source>
        <translation>数値パラメータ</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>パラメータ</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>値(&amp;V):</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_S_005</name>
    <message>
        <source>Reference parameters</source>
        <translation>参照パラメータ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>意味</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>変更(&amp;C)...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_S_006</name>
    <message>
        <source>Reference parameter</source>
        <translation>参照パラメータ</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>値(&amp;V):</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_S_007</name>
    <message>
        <source>Save as User Template</source>
        <translation>ユーザーテンプレートとして保存</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>フォルダー(&amp;F):</translation>
    </message>
    <message>
        <source>Template &amp;name:</source>
        <translation>テンプレート名(&amp;N):</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_008</name>
    <message>
        <source>User Template</source>
        <translation>ユーザーテンプレート</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>フォルダー(&amp;F):</translation>
    </message>
    <message>
        <source>&amp;Templates:</source>
        <translation>テンプレート(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>編集(&amp;E)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>At start</source>
        <translation>開始時</translation>
    </message>
    <message>
        <source>Login user:</source>
        <translation>ログインユーザー:</translation>
    </message>
    <message>
        <source>Template:</source>
        <translation>テンプレート:</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>フォルダー:</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_009</name>
    <message>
        <source>Search table</source>
        <translation>検索テーブル</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;End</source>
        <translation>終点(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;On line</source>
        <translation>線上(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Centre</source>
        <translation>中心(&amp;C)</translation>
    </message>
    <message>
        <source>Ne&amp;arest</source>
        <translation>最寄り(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Tangent</source>
        <translation>接線(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Intersection</source>
        <translation>交点(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Grid</source>
        <translation>グリッド(&amp;G)</translation>
    </message>
    <message>
        <source>S&amp;ketch</source>
        <translation>スケッチ(&amp;K)</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>クリア(&amp;L)</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_S_010</name>
    <message>
        <source>Line Type</source>
        <translation>線種</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>幅(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Plot style:</source>
        <translation>出力方式(&amp;P):</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>Pitch (dash, gap)</source>
        <translation>ピッチ (線, 間隔)</translation>
    </message>
    <message>
        <source>Number of &amp;pairs:</source>
        <translation>組の数(&amp;P):</translation>
    </message>
    <message>
        <source>Dash</source>
        <translation>線</translation>
    </message>
    <message>
        <source>Gap</source>
        <translation>間隔</translation>
    </message>
    <message>
        <source>Pair 1:</source>
        <translation>組 1:</translation>
    </message>
    <message>
        <source>Pair 2:</source>
        <translation>組 2:</translation>
    </message>
    <message>
        <source>Pair 3:</source>
        <translation>組 3:</translation>
    </message>
    <message>
        <source>Pair 4:</source>
        <translation>組 4:</translation>
    </message>
    <message>
        <source>Pair 5:</source>
        <translation>組 5:</translation>
    </message>
    <message>
        <source>Mask (ticked: bit clear)</source>
        <translation>マスク (チェックでビットを消去)</translation>
    </message>
    <message>
        <source>Mask &amp;1</source>
        <translation>マスク 1(&amp;1)</translation>
    </message>
    <message>
        <source>Mask &amp;2</source>
        <translation>マスク 2(&amp;2)</translation>
    </message>
    <message>
        <source>Mask &amp;3 (plot style 1 only)</source>
        <translation>マスク 3 (出力方式 1 のみ)(&amp;3)</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_011</name>
    <message>
        <source>Line Width</source>
        <translation>線幅</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Width (mm):</source>
        <translation>幅 (mm)(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Plotter pen:</source>
        <translation>プロッタのペン(&amp;P):</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_012</name>
    <message>
        <source>Colour</source>
        <translation>色</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>赤(&amp;R):</translation>
    </message>
    <message>
        <source>&amp;Green:</source>
        <translation>緑(&amp;G):</translation>
    </message>
    <message>
        <source>&amp;Blue:</source>
        <translation>青(&amp;B):</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_013</name>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Typeface:</source>
        <translation>書体(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>太字(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>斜体(&amp;I)</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>見本</translation>
    </message>
    <message>
        <source>AaBbYyZz 0123</source>
        <translation>AaBbYyZz 0123 あア亜</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_014</name>
    <message>
        <source>Line Type Preview</source>
        <translation>線種のプレビュー</translation>
    </message>
    <message>
        <source>Width (dots):</source>
        <translation>幅 (ドット):</translation>
    </message>
    <message>
        <source>Pitch (dash, gap):</source>
        <translation>ピッチ (線, 間隔):</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>色:</translation>
    </message>
    <message>
        <source>&amp;Close when another line type is chosen</source>
        <translation>別の線種を選ぶと閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>IDD_S_015</name>
    <message>
        <source>Dimension Line</source>
        <translation>寸法線</translation>
    </message>
    <message>
        <source>&amp;Line type:</source>
        <translation>線種(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Start tip:</source>
        <translation>始点先端(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;End tip:</source>
        <translation>終点先端(&amp;E):</translation>
    </message>
    <message>
        <source>Draw &amp;auxiliary tips</source>
        <translation>補助先端を描く(&amp;A)</translation>
    </message>
    <message>
        <source>Auxiliary s&amp;tart tip:</source>
        <translation>補助始点先端(&amp;T):</translation>
    </message>
    <message>
        <source>Auxiliary e&amp;nd tip:</source>
        <translation>補助終点先端(&amp;N):</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_016</name>
    <message>
        <source>Dimension Text</source>
        <translation>寸法値</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>フォント(&amp;F):</translation>
    </message>
    <message>
        <source>Line t&amp;ype:</source>
        <translation>線種(&amp;Y):</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高さ(&amp;H):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>幅(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Spacing:</source>
        <translation>間隔(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Line spacing:</source>
        <translation>行間(&amp;L):</translation>
    </message>
    <message>
        <source>P&amp;refix:</source>
        <translation>接頭辞(&amp;R):</translation>
    </message>
    <message>
        <source>S&amp;uffix:</source>
        <translation>接尾辞(&amp;U):</translation>
    </message>
    <message>
        <source>T&amp;olerance text:</source>
        <translation>公差の文字(&amp;O):</translation>
    </message>
    <message>
        <source>Sla&amp;nt:</source>
        <translation>傾き(&amp;N):</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
    <message>
        <source>&amp;Angle:</source>
        <translation>角度(&amp;A):</translation>
    </message>
    <message>
        <source>Placement</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>A&amp;bove the line</source>
        <translation>線の上(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;In the line</source>
        <translation>線の中(&amp;I)</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>向き</translation>
    </message>
    <message>
        <source>Along the line</source>
        <translation>線に沿う</translation>
    </message>
    <message>
        <source>Hori&amp;zontal</source>
        <translation>水平(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Frame the text</source>
        <translation>文字を枠で囲む(&amp;F)</translation>
    </message>
    <message>
        <source>Show &amp;units</source>
        <translation>単位を表示(&amp;U)</translation>
    </message>
    <message>
        <source>Brea&amp;k the line at the text</source>
        <translation>文字の位置で線を切る(&amp;K)</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_017</name>
    <message>
        <source>User Options</source>
        <translation>ユーザーオプション</translation>
    </message>
    <message>
        <source>&amp;Save as template...</source>
        <translation>テンプレートとして保存(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Report...</source>
        <translation>レポート(&amp;R)...</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_S_018</name>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Timing and sizes</source>
        <translation>時間と大きさ</translation>
    </message>
    <message>
        <source>&amp;Wait time:</source>
        <translation>待ち時間(&amp;W):</translation>
    </message>
    <message>
        <source>s</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Character &amp;box:</source>
        <translation>文字枠(&amp;B):</translation>
    </message>
    <message>
        <source>dots</source>
        <translation>ドット</translation>
    </message>
    <message>
        <source>&amp;Ellipse division angle:</source>
        <translation>楕円の分割角度(&amp;E):</translation>
    </message>
    <message>
        <source>deg</source>
        <translation>度</translation>
    </message>
    <message>
        <source>Display &amp;width:</source>
        <translation>表示幅(&amp;W):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Width &amp;setting:</source>
        <translation>線幅の設定(&amp;S):</translation>
    </message>
    <message>
        <source>Fine</source>
        <translation>細かく</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>太字</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Show the &amp;search box</source>
        <translation>検索ボックスを表示(&amp;S)</translation>
    </message>
    <message>
        <source>Show line wi&amp;dths</source>
        <translation>線幅を表示(&amp;D)</translation>
    </message>
    <message>
        <source>Show line &amp;types</source>
        <translation>線種を表示(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Pen pitch</source>
        <translation>ペンピッチ(&amp;P)</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>ウィンドウ</translation>
    </message>
    <message>
        <source>Window &amp;title:</source>
        <translation>ウィンドウのタイトル(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Line mode:</source>
        <translation>線モード(&amp;L):</translation>
    </message>
    <message>
        <source>Single line</source>
        <translation>単線</translation>
    </message>
    <message>
        <source>Continuous line</source>
        <translation>連続線</translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation>折れ線</translation>
    </message>
    <message>
        <source>Point type</source>
        <translation>点の種類</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>十字</translation>
    </message>
    <message>
        <source>Dot</source>
        <translation>点</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>円</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>正方形</translation>
    </message>
    <message>
        <source>Character box</source>
        <translation>文字枠</translation>
    </message>
    <message>
        <source>&amp;Frame only</source>
        <translation>枠のみ(&amp;F)</translation>
    </message>
    <message>
        <source>Frame and &amp;cross</source>
        <translation>枠と十字(&amp;C)</translation>
    </message>
    <message>
        <source>Character size</source>
        <translation>文字サイズ</translation>
    </message>
    <message>
        <source>&amp;Paper units</source>
        <translation>用紙単位(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Real units</source>
        <translation>実寸単位(&amp;R)</translation>
    </message>
    <message>
        <source>Active change</source>
        <translation>即時変更</translation>
    </message>
    <message>
        <source>Keep the active &amp;layer</source>
        <translation>現在のレイヤーを保持(&amp;L)</translation>
    </message>
    <message>
        <source>Follow the &amp;picked element</source>
        <translation>選んだ要素に従う(&amp;P)</translation>
    </message>
</context>
<context>
    <name>IDD_S_019</name>
    <message>
        <source>Operation</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Recognition</source>
        <translation>認識</translation>
    </message>
    <message>
        <source>&amp;Nearest element</source>
        <translation>最寄りの要素(&amp;N)</translation>
    </message>
    <message>
        <source>Element &amp;priority</source>
        <translation>要素優先(&amp;P)</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>要素の選択</translation>
    </message>
    <message>
        <source>Pick &amp;distance:</source>
        <translation>選択距離(&amp;D):</translation>
    </message>
    <message>
        <source>dots</source>
        <translation>ドット</translation>
    </message>
    <message>
        <source>Search &amp;table size:</source>
        <translation>検索テーブルの大きさ(&amp;T):</translation>
    </message>
    <message>
        <source>Flush &amp;group elements</source>
        <translation>グループ要素を揃える(&amp;G)</translation>
    </message>
    <message>
        <source>Recognise p&amp;arts</source>
        <translation>部分を認識(&amp;A)</translation>
    </message>
    <message>
        <source>Pen type recognised</source>
        <translation>認識するペンの種類</translation>
    </message>
    <message>
        <source>&amp;All pens</source>
        <translation>すべてのペン(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Current pen</source>
        <translation>現在のペン(&amp;C)</translation>
    </message>
    <message>
        <source>Coordinate input</source>
        <translation>座標入力</translation>
    </message>
    <message>
        <source>A&amp;bsolute</source>
        <translation>絶対(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Relative</source>
        <translation>相対(&amp;R)</translation>
    </message>
    <message>
        <source>Coordinate class</source>
        <translation>座標の種類</translation>
    </message>
    <message>
        <source>Cartesian</source>
        <translation>直交</translation>
    </message>
    <message>
        <source>Polar</source>
        <translation>極座標</translation>
    </message>
    <message>
        <source>Tool bars</source>
        <translation>ツールバー</translation>
    </message>
    <message>
        <source>Show &amp;captions</source>
        <translation>見出しを表示(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Flat buttons</source>
        <translation>フラットボタン(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Grip on tool bars</source>
        <translation>ツールバーにつまみ(&amp;G)</translation>
    </message>
    <message>
        <source>Grip on the &amp;menu bar</source>
        <translation>メニューバーにつまみ(&amp;M)</translation>
    </message>
    <message>
        <source>Move tool bars a&amp;utomatically</source>
        <translation>ツールバーを自動で移動(&amp;U)</translation>
    </message>
    <message>
        <source>Move tool bars &amp;with the window</source>
        <translation>ウィンドウと一緒にツールバーを移動(&amp;W)</translation>
    </message>
    <message>
        <source>Show the command r&amp;un button</source>
        <translation>コマンド実行ボタンを表示(&amp;U)</translation>
    </message>
</context>
<context>
    <name>IDD_S_020</name>
    <message>
        <source>Drawing aids</source>
        <translation>作図補助</translation>
    </message>
    <message>
        <source>Attribute modes</source>
        <translation>属性モード</translation>
    </message>
    <message>
        <source>Keep &amp;attributes of new elements</source>
        <translation>新しい要素の属性を保持(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Inherit the layer</source>
        <translation>レイヤーを引き継ぐ(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Snap mark:</source>
        <translation>スナップマーク(&amp;S):</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>&amp;Grid display:</source>
        <translation>グリッド表示(&amp;G):</translation>
    </message>
    <message>
        <source>&amp;Close the figure on exit</source>
        <translation>終了時に図面を閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>Show &amp;hidden elements</source>
        <translation>非表示の要素を表示(&amp;H)</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>記号</translation>
    </message>
    <message>
        <source>Symbol &amp;mode:</source>
        <translation>記号モード(&amp;M):</translation>
    </message>
    <message>
        <source>Fixed size</source>
        <translation>固定サイズ</translation>
    </message>
    <message>
        <source>Scaled with the drawing</source>
        <translation>図面とともに拡大縮小</translation>
    </message>
    <message>
        <source>Symbol si&amp;ze:</source>
        <translation>記号の大きさ(&amp;Z):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Check the file &amp;extension when saving</source>
        <translation>保存時に拡張子を確認(&amp;E)</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>&amp;Digits:</source>
        <translation>桁数(&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Marker size:</source>
        <translation>マーカーの大きさ(&amp;M):</translation>
    </message>
    <message>
        <source>dots</source>
        <translation>ドット</translation>
    </message>
    <message>
        <source>Display &amp;ratio:</source>
        <translation>表示倍率(&amp;R):</translation>
    </message>
    <message>
        <source>Zoom i&amp;n factor:</source>
        <translation>拡大の倍率(&amp;N):</translation>
    </message>
    <message>
        <source>Zoom &amp;out factor:</source>
        <translation>縮小の倍率(&amp;O):</translation>
    </message>
</context>
<context>
    <name>IDD_S_021</name>
    <message>
        <source>Construction</source>
        <translation>補助作図</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>マーク</translation>
    </message>
    <message>
        <source>Show construction &amp;marks</source>
        <translation>補助マークを表示(&amp;M)</translation>
    </message>
    <message>
        <source>Mark &amp;kind:</source>
        <translation>マークの種類(&amp;K):</translation>
    </message>
    <message>
        <source>Rubber band &amp;angle:</source>
        <translation>ラバーバンドの角度(&amp;A):</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>自由</translation>
    </message>
    <message>
        <source>Every 15 degrees</source>
        <translation>15 度ごと</translation>
    </message>
    <message>
        <source>Every 45 degrees</source>
        <translation>45 度ごと</translation>
    </message>
    <message>
        <source>Every 90 degrees</source>
        <translation>90 度ごと</translation>
    </message>
    <message>
        <source>Construction points</source>
        <translation>補助点</translation>
    </message>
    <message>
        <source>&amp;Hidden</source>
        <translation>非表示(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Shown</source>
        <translation>表示(&amp;S)</translation>
    </message>
    <message>
        <source>Construction lines</source>
        <translation>補助線</translation>
    </message>
    <message>
        <source>S&amp;nap to construction lines</source>
        <translation>補助線にスナップ(&amp;N)</translation>
    </message>
    <message>
        <source>Keep construction &amp;lines</source>
        <translation>補助線を残す(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Extend to the cursor</source>
        <translation>カーソルまで延長(&amp;E)</translation>
    </message>
    <message>
        <source>Input direction</source>
        <translation>入力方向</translation>
    </message>
    <message>
        <source>&amp;Counter-clockwise</source>
        <translation>反時計回り(&amp;C)</translation>
    </message>
    <message>
        <source>Clock&amp;wise</source>
        <translation>時計回り(&amp;W)</translation>
    </message>
    <message>
        <source>Arc input</source>
        <translation>円弧の入力</translation>
    </message>
    <message>
        <source>By c&amp;entre</source>
        <translation>中心指定(&amp;E)</translation>
    </message>
    <message>
        <source>By &amp;three points</source>
        <translation>3 点指定(&amp;T)</translation>
    </message>
    <message>
        <source>Spline mode</source>
        <translation>スプラインモード</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開いた線(&amp;O)</translation>
    </message>
    <message>
        <source>Clos&amp;ed</source>
        <translation>閉じた線(&amp;E)</translation>
    </message>
    <message>
        <source>Approximation</source>
        <translation>近似</translation>
    </message>
    <message>
        <source>Centre-line &amp;distance:</source>
        <translation>中心線の間隔(&amp;D):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Arc &amp;tolerance:</source>
        <translation>円弧の許容差(&amp;T):</translation>
    </message>
</context>
<context>
    <name>IDD_S_022</name>
    <message>
        <source>Editing</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Attribute modes</source>
        <translation>属性モード</translation>
    </message>
    <message>
        <source>Copy &amp;attributes:</source>
        <translation>属性の複写(&amp;A):</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>&amp;Keep the layer:</source>
        <translation>レイヤーを保持(&amp;K):</translation>
    </message>
    <message>
        <source>&amp;Move with dimensions:</source>
        <translation>寸法とともに移動(&amp;M):</translation>
    </message>
    <message>
        <source>&amp;Trim mode:</source>
        <translation>トリムモード(&amp;T):</translation>
    </message>
    <message>
        <source>&amp;Break mode:</source>
        <translation>切断モード(&amp;B):</translation>
    </message>
    <message>
        <source>&amp;Fillet mode:</source>
        <translation>角丸めモード(&amp;F):</translation>
    </message>
    <message>
        <source>Confirm deleting</source>
        <translation>削除の確認</translation>
    </message>
    <message>
        <source>&amp;Never</source>
        <translation>しない(&amp;N)</translation>
    </message>
    <message>
        <source>Al&amp;ways</source>
        <translation>常に(&amp;W)</translation>
    </message>
    <message>
        <source>Group editing</source>
        <translation>グループ編集</translation>
    </message>
    <message>
        <source>&amp;Whole group</source>
        <translation>グループ全体(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Single element</source>
        <translation>単一要素(&amp;S)</translation>
    </message>
    <message>
        <source>Dimensions</source>
        <translation>寸法</translation>
    </message>
    <message>
        <source>Keep the &amp;figure of a dimension</source>
        <translation>寸法の図形を保持(&amp;F)</translation>
    </message>
    <message>
        <source>E&amp;xtension distance:</source>
        <translation>延長距離(&amp;X):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
</context>
<context>
    <name>IDD_S_023</name>
    <message>
        <source>Colours</source>
        <translation>色</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>変更(&amp;C)...</translation>
    </message>
</context>
<context>
    <name>IDD_S_024</name>
    <message>
        <source>Numeric parameters</source>
        <translation>数値パラメータ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>追加(&amp;A)...</translation>
    </message>
    <message>
        <source>C&amp;hange...</source>
        <translation>変更(&amp;H)...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Reference parameters...</source>
        <translation>参照パラメータ(&amp;R)...</translation>
    </message>
</context>
<context>
    <name>IDD_S_025</name>
    <message>
        <source>Settings Report</source>
        <translation>設定レポート</translation>
    </message>
    <message>
        <source>Template:</source>
        <translation>テンプレート:</translation>
    </message>
    <message>
        <source>Folder:</source>
        <translation>フォルダー:</translation>
    </message>
    <message>
        <source>&amp;Pages in the report:</source>
        <translation>レポートのページ(&amp;P):</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>出力</translation>
    </message>
    <message>
        <source>P&amp;rinter</source>
        <translation>プリンター(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Text file</source>
        <translation>テキストファイル(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>ファイル(&amp;F):</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>参照(&amp;B)...</translation>
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
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
</context>
<context>
    <name>IDD_S_026</name>
    <message>
        <source>Report</source>
        <translation>レポート</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>IDD_S_027</name>
    <message>
        <source>Sketch</source>
        <translation>スケッチ</translation>
    </message>
    <message>
        <source>Recognition</source>
        <translation>認識</translation>
    </message>
    <message>
        <source>&amp;Limit dots:</source>
        <translation>制限ドット数(&amp;L):</translation>
    </message>
    <message>
        <source>dots</source>
        <translation>ドット</translation>
    </message>
    <message>
        <source>Character size (&amp;small):</source>
        <translation>文字サイズ (小)(&amp;S):</translation>
    </message>
    <message>
        <source>Character size (&amp;large):</source>
        <translation>文字サイズ (大)(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Dimension value digits:</source>
        <translation>寸法値の桁数(&amp;D):</translation>
    </message>
    <message>
        <source>Arrow &amp;tip:</source>
        <translation>矢印先端(&amp;T):</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>矢印</translation>
    </message>
    <message>
        <source>Dot</source>
        <translation>点</translation>
    </message>
    <message>
        <source>Slash</source>
        <translation>斜線</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Show the &amp;rubber-band value</source>
        <translation>ラバーバンドの値を表示(&amp;R)</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Show the &amp;grid</source>
        <translation>グリッドを表示(&amp;G)</translation>
    </message>
    <message>
        <source>S&amp;nap to the grid</source>
        <translation>グリッドにスナップ(&amp;N)</translation>
    </message>
    <message>
        <source>Pitch &amp;X:</source>
        <translation>ピッチ X(&amp;X):</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Pitch &amp;Y:</source>
        <translation>ピッチ Y(&amp;Y):</translation>
    </message>
    <message>
        <source>&amp;Origin X:</source>
        <translation>原点 X(&amp;O):</translation>
    </message>
    <message>
        <source>O&amp;rigin Y:</source>
        <translation>原点 Y(&amp;R):</translation>
    </message>
</context>
<context>
    <name>IDD_S_028</name>
    <message>
        <source>Work Option Set</source>
        <translation>作業オプション</translation>
    </message>
    <message>
        <source>&amp;Option set to work with:</source>
        <translation>使用するオプション(&amp;O):</translation>
    </message>
    <message>
        <source>Cancel starts with the standard settings.</source>
        <translation>キャンセルすると標準設定で開始します。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>IDD_S_029</name>
    <message>
        <source>Point modes</source>
        <translation>点モード</translation>
    </message>
    <message>
        <source>Search tables</source>
        <translation>検索テーブル</translation>
    </message>
    <message>
        <source>&amp;Base table...</source>
        <translation>基本テーブル(&amp;B)...</translation>
    </message>
    <message>
        <source>User table &amp;1...</source>
        <translation>ユーザーテーブル 1(&amp;1)...</translation>
    </message>
    <message>
        <source>User table &amp;2...</source>
        <translation>ユーザーテーブル 2(&amp;2)...</translation>
    </message>
    <message>
        <source>User table &amp;3...</source>
        <translation>ユーザーテーブル 3(&amp;3)...</translation>
    </message>
    <message>
        <source>User table &amp;4...</source>
        <translation>ユーザーテーブル 4(&amp;4)...</translation>
    </message>
    <message>
        <source>Point modes offered</source>
        <translation>表示する点モード</translation>
    </message>
    <message>
        <source>Modes in use:</source>
        <translation>使用中のモード:</translation>
    </message>
    <message>
        <source>Order offered:</source>
        <translation>表示順:</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>上へ(&amp;U)</translation>
    </message>
    <message>
        <source>Move &amp;down</source>
        <translation>下へ(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Take again</source>
        <translation>再取得(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;All on</source>
        <translation>すべてオン(&amp;A)</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>&amp;First choice:</source>
        <translation>第 1 候補(&amp;F):</translation>
    </message>
    <message>
        <source>&amp;Second choice:</source>
        <translation>第 2 候補(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Third choice:</source>
        <translation>第 3 候補(&amp;T):</translation>
    </message>
    <message>
        <source>Defa&amp;ult mode:</source>
        <translation>既定のモード(&amp;U):</translation>
    </message>
    <message>
        <source>Input &amp;type:</source>
        <translation>入力の種類(&amp;T):</translation>
    </message>
    <message>
        <source>Input se&amp;quence...</source>
        <translation>入力の順序(&amp;Q)...</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>ナビゲーション</translation>
    </message>
    <message>
        <source>Show &amp;navigation</source>
        <translation>ナビゲーションを表示(&amp;N)</translation>
    </message>
    <message>
        <source>Navigation &amp;cursor</source>
        <translation>ナビゲーションカーソル(&amp;C)</translation>
    </message>
    <message>
        <source>Navigation &amp;mode:</source>
        <translation>ナビゲーションモード(&amp;M):</translation>
    </message>
</context>
<context>
    <name>IDD_S_030</name>
    <message>
        <source>Input sequence</source>
        <translation>入力の順序</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>順序</translation>
    </message>
    <message>
        <source>First point:</source>
        <translation>1 点目:</translation>
    </message>
    <message>
        <source>Slot &amp;1:</source>
        <translation>枠 1(&amp;1):</translation>
    </message>
    <message>
        <source>Slot &amp;2:</source>
        <translation>枠 2(&amp;2):</translation>
    </message>
    <message>
        <source>Slot &amp;3:</source>
        <translation>枠 3(&amp;3):</translation>
    </message>
    <message>
        <source>Fourth point:</source>
        <translation>4 点目:</translation>
    </message>
    <message>
        <source>Slot &amp;4:</source>
        <translation>枠 4(&amp;4):</translation>
    </message>
    <message>
        <source>Slot &amp;5:</source>
        <translation>枠 5(&amp;5):</translation>
    </message>
    <message>
        <source>Slot &amp;6:</source>
        <translation>枠 6(&amp;6):</translation>
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
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>IDD_S_031</name>
    <message>
        <source>Dimensions</source>
        <translation>寸法</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>Value &amp;kind:</source>
        <translation>値の種類(&amp;K):</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>長さ</translation>
    </message>
    <message>
        <source>Coordinate</source>
        <translation>座標</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>&amp;Decimals:</source>
        <translation>小数桁(&amp;D):</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>マーク</translation>
    </message>
    <message>
        <source>&amp;End mark:</source>
        <translation>終点マーク(&amp;E):</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>矢印</translation>
    </message>
    <message>
        <source>Dot</source>
        <translation>点</translation>
    </message>
    <message>
        <source>Slash</source>
        <translation>斜線</translation>
    </message>
    <message>
        <source>&amp;Start side:</source>
        <translation>始点側(&amp;S):</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>&amp;Value side:</source>
        <translation>値側(&amp;V):</translation>
    </message>
    <message>
        <source>&amp;Text side:</source>
        <translation>文字側(&amp;T):</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>レイヤー</translation>
    </message>
    <message>
        <source>Dimension &amp;layer:</source>
        <translation>寸法レイヤー(&amp;L):</translation>
    </message>
    <message>
        <source>Current layer</source>
        <translation>現在のレイヤー</translation>
    </message>
    <message>
        <source>Dimension layer</source>
        <translation>寸法レイヤー</translation>
    </message>
    <message>
        <source>Layer of the figure</source>
        <translation>図面のレイヤー</translation>
    </message>
    <message>
        <source>Dimension lines</source>
        <translation>寸法線</translation>
    </message>
    <message>
        <source>&amp;Inside</source>
        <translation>内側(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Outside</source>
        <translation>外側(&amp;O)</translation>
    </message>
    <message>
        <source>Value placement</source>
        <translation>値の配置</translation>
    </message>
    <message>
        <source>&amp;Above the line</source>
        <translation>線の上(&amp;A)</translation>
    </message>
    <message>
        <source>I&amp;n the line</source>
        <translation>線の中(&amp;N)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>E&amp;xtension lines</source>
        <translation>寸法補助線(&amp;X)</translation>
    </message>
    <message>
        <source>Value &amp;frame</source>
        <translation>値の枠(&amp;F)</translation>
    </message>
    <message>
        <source>Dimensions follow when the figure is dra&amp;gged</source>
        <translation>図形の移動に寸法を追従(&amp;G)</translation>
    </message>
</context>
</TS>
