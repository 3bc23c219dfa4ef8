<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>PartPage</name>
    <message>
        <source>形</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>外接円の半径</source>
        <translation>Circumradius</translation>
    </message>
    <message>
        <source>対辺距離</source>
        <translation>Across flats</translation>
    </message>
    <message>
        <source>辺の長さ</source>
        <translation>Side length</translation>
    </message>
    <message>
        <source>寸法</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>内側の半径</source>
        <translation>Inner radius</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>周長</source>
        <translation>Perimeter</translation>
    </message>
    <message>
        <source>面積</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>画面の大きさ</source>
        <translation>Screen size</translation>
    </message>
    <message>
        <source>カードの長い辺 (85.60 mm) を画面に当て、棒の下の端をドラッグして長さを合わせてください。</source>
        <translation>Hold the long side of a card (85.60 mm) against the screen and drag the lower end of the bar until the lengths match.</translation>
    </message>
    <message>
        <source>倍率</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>調整なし</source>
        <translation>Not calibrated</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>星(正多角形)を生成しまーす</source>
        <translation>Let&apos;s make stars and regular polygons</translation>
    </message>
    <message>
        <source>基本</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>星の角の数
(正多角形の辺の数)
(5-100)</source>
        <translation>Star points
(polygon sides)
(5-100)</translation>
    </message>
    <message>
        <source>星(正多角形)に
外接する円の半径(mm)
(5-100)</source>
        <translation>Radius of the circle
around the star (mm)
(5-100)</translation>
    </message>
    <message>
        <source>輪郭線の幅</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>タイプ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>星１</source>
        <translation>Star 1</translation>
    </message>
    <message>
        <source>星２</source>
        <translation>Star 2</translation>
    </message>
    <message>
        <source>正多角形</source>
        <translation>Polygon</translation>
    </message>
    <message>
        <source>輪郭線の色</source>
        <translation>Line color</translation>
    </message>
    <message>
        <source>塗りの色</source>
        <translation>Fill color</translation>
    </message>
    <message>
        <source>塗りを透明にする</source>
        <translation>Transparent fill</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>More</translation>
    </message>
    <message>
        <source>塗り方について
プレビュー(右の図)と
SVG Viewerの
結果を一致させる</source>
        <translation>How to fill:
make the preview
(right) and SVG
viewers agree</translation>
    </message>
    <message>
        <source>Kiriko3306のHPを表示</source>
        <translation>Show Kiriko3306&apos;s home page</translation>
    </message>
    <message>
        <source>ショートカットの作成</source>
        <translation>Create shortcuts</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>デスクトップ</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>スタートメニュー</source>
        <translation>Program menu</translation>
    </message>
    <message>
        <source>一致させる</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>SVG作成</source>
        <translation>Create SVG</translation>
    </message>
    <message>
        <source>変換後のSVGを開く</source>
        <translation>Open the file</translation>
    </message>
    <message>
        <source>画面表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>部品</source>
        <translation>Part</translation>
    </message>
</context>
<context>
    <name>polygrav::PartPage</name>
    <message>
        <source>調整済み</source>
        <translation>Calibrated</translation>
    </message>
    <message>
        <source>調整なし</source>
        <translation>Not calibrated</translation>
    </message>
</context>
<context>
    <name>polygrav::TForm1</name>
    <message>
        <source>輪郭線の幅：</source>
        <translation>Line width: </translation>
    </message>
    <message>
        <source>DXF file(*.dxf)</source>
        <translation>DXF file(*.dxf)</translation>
    </message>
    <message>
        <source>PDF file(*.pdf)</source>
        <translation>PDF file(*.pdf)</translation>
    </message>
    <message>
        <source>PNG file(*.png)</source>
        <translation>PNG file(*.png)</translation>
    </message>
    <message>
        <source>G-code file(*.gcode)</source>
        <translation>G-code file(*.gcode)</translation>
    </message>
    <message>
        <source>HPGL file(*.plt)</source>
        <translation>HPGL file(*.plt)</translation>
    </message>
    <message>
        <source>STL file(*.stl)</source>
        <translation>STL file(*.stl)</translation>
    </message>
    <message>
        <source>3MF file(*.3mf)</source>
        <translation>3MF file(*.3mf)</translation>
    </message>
    <message>
        <source>OpenSCAD file(*.scad)</source>
        <translation>OpenSCAD file(*.scad)</translation>
    </message>
    <message>
        <source>加工機</source>
        <translation>Machine</translation>
    </message>
    <message>
        <source>立体</source>
        <translation>Solid</translation>
    </message>
</context>
</TS>
