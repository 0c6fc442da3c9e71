<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="hu">
<context>
    <name>Ean128Rows</name>
    <message>
        <source>Szállítási Egységek Sorszám Kódja (SSCC)</source>
        <translation>Serial Shipping Container Code (SSCC)</translation>
    </message>
    <message>
        <source>Globális Kereskedelmi Egység Szám (GTIN)</source>
        <translation>Global Trade Item Number (GTIN)</translation>
    </message>
    <message>
        <source>Logisztikai egység tartalmának GTIN-je</source>
        <translation>GTIN of the trade items in a logistic unit</translation>
    </message>
    <message>
        <source>Gyártási tételszám</source>
        <translation>Batch or lot number</translation>
    </message>
    <message>
        <source>Gyártás napja (ÉÉHHNN)</source>
        <translation>Production date (YYMMDD)</translation>
    </message>
    <message>
        <source>Minőségmegőrzési határidő (ÉÉHHNN)</source>
        <translation>Best before date (YYMMDD)</translation>
    </message>
    <message>
        <source>Fogyaszthatósági határidő (ÉÉHHNN)</source>
        <translation>Expiration date (YYMMDD)</translation>
    </message>
    <message>
        <source>Gyártási szám</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Nettó tömeg (kg)</source>
        <translation>Net weight (kg)</translation>
    </message>
    <message>
        <source>Logisztikai egységben lévő kereskedelmi egységek száma (db)</source>
        <translation>Number of trade items in a logistic unit (pcs)</translation>
    </message>
    <message>
        <source>Küldeményszám</source>
        <translation>Consignment number</translation>
    </message>
    <message>
        <source>Belföldi szállítási cím postai irányítószámmal</source>
        <translation>Domestic ship-to postal code</translation>
    </message>
</context>
<context>
    <name>LabelStock</name>
    <message>
        <source>A címkék %1 mm-nél szélesebb oldalra nyúlnak, ezt a program nem kezeli.</source>
        <translation>The labels reach past a page width of %1 mm, which this program does not take.</translation>
    </message>
    <message>
        <source>Az utolsó sor a sorköz miatt nem fér a lapra.</source>
        <translation>The last row does not fit on the page because of the row gap.</translation>
    </message>
    <message>
        <source>%1 a programban %2 és %3 között lehet.</source>
        <translation>%1 must be between %2 and %3 in this program.</translation>
    </message>
    <message>
        <source>%1 mező helyett %2</source>
        <translation>%2 fields instead of %1</translation>
    </message>
    <message>
        <source>hiányzik a gyártó vagy a cikkszám</source>
        <translation>the maker or the product code is missing</translation>
    </message>
    <message>
        <source>ismeretlen lapméret: %1</source>
        <translation>unknown page size: %1</translation>
    </message>
    <message>
        <source>nem szám</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>az oszlopok és sorok száma egész szám</source>
        <translation>the numbers of columns and rows are whole numbers</translation>
    </message>
    <message>
        <source>a címkék nem férnek el a lapon</source>
        <translation>the labels do not fit on the page</translation>
    </message>
    <message>
        <source>A címkeív-katalógus nem olvasható: %1</source>
        <translation>The label stock catalogue cannot be read: %1</translation>
    </message>
    <message>
        <source>A saját címkeívek nem olvashatók: %1</source>
        <translation>The own label sheets cannot be read: %1</translation>
    </message>
    <message>
        <source>Üres név</source>
        <translation>Empty name</translation>
    </message>
</context>
<context>
    <name>PageSetupValues</name>
    <message>
        <source>Oldal hossz.</source>
        <translation>Page length</translation>
    </message>
    <message>
        <source>Oldal hosszúsága</source>
        <translation>Page length</translation>
    </message>
    <message>
        <source>Oldal szélesség</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>Oldal szélessége</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>Felső margo</source>
        <translation>Top margin</translation>
    </message>
    <message>
        <source>Felső margó</source>
        <translation>Top margin</translation>
    </message>
    <message>
        <source>Bal margo</source>
        <translation>Left margin</translation>
    </message>
    <message>
        <source>Bal margó</source>
        <translation>Left margin</translation>
    </message>
    <message>
        <source>Jobb margo</source>
        <translation>Right margin</translation>
    </message>
    <message>
        <source>Jobb margó</source>
        <translation>Right margin</translation>
    </message>
    <message>
        <source>Alsó margo</source>
        <translation>Bottom margin</translation>
    </message>
    <message>
        <source>Alsó margó</source>
        <translation>Bottom margin</translation>
    </message>
    <message>
        <source>Cimke &amp;magassága:</source>
        <translation>Label &amp;height:</translation>
    </message>
    <message>
        <source>Címke magassága</source>
        <translation>Label height</translation>
    </message>
    <message>
        <source>Címke oszlopok közötti távolság:</source>
        <translation>Gap between label columns:</translation>
    </message>
    <message>
        <source>Cimkék közötti térköz</source>
        <translation>Gap between labels</translation>
    </message>
    <message>
        <source>Cimke oszlopok száma /lap:</source>
        <translation>Label columns per sheet:</translation>
    </message>
    <message>
        <source>Cimke oszlopok száma</source>
        <translation>Number of label columns</translation>
    </message>
    <message>
        <source>Cimke &amp;szélessége:</source>
        <translation>Label &amp;width:</translation>
    </message>
    <message>
        <source>Címke szélessége</source>
        <translation>Label width</translation>
    </message>
</context>
<context>
    <name>TBarCodeValueText</name>
    <message>
        <source>7 számjegy kell, ellenőrző számjeggyel 8</source>
        <translation>7 digits are needed, 8 with the check digit</translation>
    </message>
    <message>
        <source>12 számjegy kell, ellenőrző számjeggyel 13</source>
        <translation>12 digits are needed, 13 with the check digit</translation>
    </message>
    <message>
        <source>11 számjegy kell, ellenőrző számjeggyel 12</source>
        <translation>11 digits are needed, 12 with the check digit</translation>
    </message>
    <message>
        <source>6 vagy 7 számjegy kell, ellenőrző számjeggyel 8</source>
        <translation>6 or 7 digits are needed, 8 with the check digit</translation>
    </message>
    <message>
        <source>9 számjegy kell (kötőjelekkel tagolva is), ellenőrző karakterrel 10</source>
        <translation>9 digits are needed (hyphens may separate them), 10 with the check character</translation>
    </message>
    <message>
        <source>5, 13 vagy 15 számjegy kell, ellenőrző számjeggyel 6, 14 vagy 16</source>
        <translation>5, 13 or 15 digits are needed, 6, 14 or 16 with the check digit</translation>
    </message>
    <message>
        <source>13 számjegy kell, ellenőrző számjeggyel 14</source>
        <translation>13 digits are needed, 14 with the check digit</translation>
    </message>
    <message>
        <source>9 számjegy kell, ellenőrző számjeggyel 10</source>
        <translation>9 digits are needed, 10 with the check digit</translation>
    </message>
    <message>
        <source>6 számjegy kell, ellenőrző számjeggyel 7</source>
        <translation>6 digits are needed, 7 with the check digit</translation>
    </message>
    <message>
        <source>legfeljebb 13 karakter lehet</source>
        <translation>at most 13 characters are allowed</translation>
    </message>
    <message>
        <source>5, 9 vagy 11 számjegy kell</source>
        <translation>5, 9 or 11 digits are needed</translation>
    </message>
    <message>
        <source>számjegyek, a - $ : / . + jelek és A, B, C, D lehetnek</source>
        <translation>digits, the signs - $ : / . + and A, B, C, D are allowed</translation>
    </message>
    <message>
        <source>számjegyek, a - $ : / . + jelek, szóköz és A, B, C, D lehetnek</source>
        <translation>digits, the signs - $ : / . +, space and A, B, C, D are allowed</translation>
    </message>
    <message>
        <source>számjegyek, nagybetűk (A–Z, ékezet nélkül), szóköz és a - . $ / + % jelek lehetnek</source>
        <translation>digits, capital letters (A–Z, no accents), space and the signs - . $ / + % are allowed</translation>
    </message>
    <message>
        <source>számjegyek, nagybetűk (A–Z, ékezet nélkül), szóköz és a - . $ / + % &amp; &quot; ( ) jelek lehetnek</source>
        <translation>digits, capital letters (A–Z, no accents), space and the signs - . $ / + % &amp; &quot; ( ) are allowed</translation>
    </message>
    <message>
        <source>ékezet nélküli betűk, számjegyek, szóköz és írásjelek lehetnek</source>
        <translation>letters without accents, digits, space and punctuation are allowed</translation>
    </message>
    <message>
        <source>ékezetes betű nem lehet</source>
        <translation>accented letters are not allowed</translation>
    </message>
    <message>
        <source>ékezet nélküli betűk, számjegyek, szóköz, írásjelek és š č ť ž ý á í é lehetnek</source>
        <translation>letters without accents, digits, space, punctuation and š č ť ž ý á í é are allowed</translation>
    </message>
    <message>
        <source>számjegyek és A–F lehetnek</source>
        <translation>digits and A–F are allowed</translation>
    </message>
    <message>
        <source>számjegyek és a - jel lehetnek</source>
        <translation>digits and the sign - are allowed</translation>
    </message>
    <message>
        <source>számjegyek és kötőjelek lehetnek</source>
        <translation>digits and hyphens are allowed</translation>
    </message>
    <message>
        <source>csak számjegyek lehetnek</source>
        <translation>only digits are allowed</translation>
    </message>
    <message>
        <source>%1: nincs megadva érték</source>
        <translation>%1: no value given</translation>
    </message>
    <message>
        <source>; kiegészítővel ezután szóköz és 2 vagy 5 számjegy</source>
        <translation>; with a supplement, then a space and 2 or 5 digits</translation>
    </message>
    <message>
        <source>%1: páros számú számjegy kell</source>
        <translation>%1: an even number of digits is needed</translation>
    </message>
    <message>
        <source>%1: az első számjegy csak 0 lehet</source>
        <translation>%1: the first digit must be 0</translation>
    </message>
    <message>
        <source>%1: a kiegészítő előtt, a %2. helyen szóköz kell</source>
        <translation>%1: a space is needed at position %2, before the supplement</translation>
    </message>
    <message>
        <source>%1: az első és az utolsó karakter A, B, C vagy D kell legyen</source>
        <translation>%1: the first and the last character must be A, B, C or D</translation>
    </message>
    <message>
        <source>%1: „%2” nem megengedett karakter; %3</source>
        <translation>%1: “%2” is not an allowed character; %3</translation>
    </message>
    <message>
        <source>%1: „%2” nem megengedett karakter (%3. hely); %4</source>
        <translation>%1: “%2” is not an allowed character (position %3); %4</translation>
    </message>
    <message>
        <source>%1: hibás GS1 adat (%2)</source>
        <translation>%1: invalid GS1 data (%2)</translation>
    </message>
    <message>
        <source>%1: az érték nem kódolható (%2)</source>
        <translation>%1: the value cannot be encoded (%2)</translation>
    </message>
    <message>
        <source>%1: az érték nem kódolható</source>
        <translation>%1: the value cannot be encoded</translation>
    </message>
    <message>
        <source>%1: hibás ellenőrző számjegy (%2), helyesen %3</source>
        <translation>%1: wrong check digit (%2), it should be %3</translation>
    </message>
</context>
<context>
    <name>TBeallitasFormText</name>
    <message>
        <source>Csak akkor kapcsolja ki, ha biztos benne!</source>
        <translation>Turn it off only if you are sure!</translation>
    </message>
    <message>
        <source>Beállítások</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Általános</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Etikett oldal</source>
        <translation>Label sheet</translation>
    </message>
    <message>
        <source>Etikett címke</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Vonalkód</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <source>Rendben</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rögzítés</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Vissza</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Alapbeállítások visszaállítása</source>
        <translation>Restore the default settings</translation>
    </message>
    <message>
        <source>Súgó</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>EGYÉB</source>
        <translation>OTHER</translation>
    </message>
    <message>
        <source>&amp;Indításkor jelenjen meg a Súgó</source>
        <translation>Show the &amp;help at start</translation>
    </message>
    <message>
        <source>&amp;Indításkor jelenjen meg a Varázsló (Orsina)</source>
        <translation>Show the w&amp;izard (Orsina) at start</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A4 -es oldal méret beállítása</source>
        <translation>Set the page size to A4</translation>
    </message>
    <message>
        <source>&amp;Ellenőrző szám automatikusan (Codabar, Code39, Code128)</source>
        <translation>Automatic ch&amp;eck digit (Codabar, Code39, Code128)</translation>
    </message>
    <message>
        <source>Automatikus &amp;betűméret</source>
        <translation>Automatic &amp;font size</translation>
    </message>
    <message>
        <source>Automatikus &amp;vonalkód méret</source>
        <translation>Automatic &amp;barcode size</translation>
    </message>
    <message>
        <source>Adatforrás &amp;automatikus megnyitása</source>
        <translation>Open the data source &amp;automatically</translation>
    </message>
    <message>
        <source>Valóban visszaállítja az alapbeállításokat?</source>
        <translation>Restore the default settings?</translation>
    </message>
</context>
<context>
    <name>TCanvasGeometryText</name>
    <message>
        <source>Nem megfelelő vonalkód szélesség! (</source>
        <translation>Unsuitable barcode width! (</translation>
    </message>
</context>
<context>
    <name>TDBNavigatorText</name>
    <message>
        <source>Első</source>
        <translation>First</translation>
    </message>
    <message>
        <source>Előző</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Következő</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Utolsó</source>
        <translation>Last</translation>
    </message>
</context>
<context>
    <name>TDataSourceTabText</name>
    <message>
        <source>&amp;Generált adatbázis</source>
        <translation>&amp;Generated data</translation>
    </message>
    <message>
        <source>Megnyitás</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Adatböngésző</source>
        <translation>Data browser</translation>
    </message>
    <message>
        <source>Generálás</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>&amp;ODBC adatforrás</source>
        <translation>&amp;ODBC data source</translation>
    </message>
</context>
<context>
    <name>TDatumFormText</name>
    <message>
        <source>Dátum-formátum kiválasztása</source>
        <translation>Choose the date format</translation>
    </message>
    <message>
        <source>A generálni kívánt kód dátumot is tartalmaz.
Most válassza ki a megfelelő dátum-formátumot!</source>
        <translation>The code to generate contains a date.
Choose its date format now!</translation>
    </message>
    <message>
        <source>É</source>
        <comment>year letter of a date layout</comment>
        <translation>Y</translation>
    </message>
    <message>
        <source>H</source>
        <comment>month letter of a date layout</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>N</source>
        <comment>day letter of a date layout</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rendben</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TEanSegedFormText</name>
    <message>
        <source>EAN 128 Segéd</source>
        <translation>EAN 128 Helper</translation>
    </message>
    <message>
        <source>Teljes cím</source>
        <translation>Full title</translation>
    </message>
    <message>
        <source>Formátum</source>
        <translation>Format</translation>
    </message>
</context>
<context>
    <name>TElementEditorText</name>
    <message>
        <source>Elrendezés</source>
        <translation>Arrange</translation>
    </message>
    <message>
        <source>Áthelyezés, átméretezés</source>
        <translation>Move, resize</translation>
    </message>
    <message>
        <source>Elem törlése</source>
        <translation>Delete element</translation>
    </message>
    <message>
        <source>Vonalkód beállítása</source>
        <translation>Barcode setup</translation>
    </message>
    <message>
        <source>Nincs adatforrás!</source>
        <translation>There is no data source!</translation>
    </message>
    <message>
        <source>Elem helyének rögzítése</source>
        <translation>Fix the element&apos;s place</translation>
    </message>
    <message>
        <source>Új szöveg elem</source>
        <translation>New text element</translation>
    </message>
    <message>
        <source>Új vonalkód elem</source>
        <translation>New barcode element</translation>
    </message>
    <message>
        <source>Új kép elem</source>
        <translation>New picture element</translation>
    </message>
    <message>
        <source>Új rajz elem</source>
        <translation>New drawing element</translation>
    </message>
    <message>
        <source>Üres az érték mező!</source>
        <translation>The value field is empty!</translation>
    </message>
    <message>
        <source>Érték</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Nem megfelelő vonalkód érték!</source>
        <translation>Unsuitable barcode value!</translation>
    </message>
    <message>
        <source>Hiányzik a beállított mezőnév!</source>
        <translation>The field name set is missing!</translation>
    </message>
    <message>
        <source>Bitmap file|*.bmp</source>
        <translation>Bitmap file|*.bmp</translation>
    </message>
    <message>
        <source>Kép file</source>
        <translation>Picture file</translation>
    </message>
    <message>
        <source>Kép fileok|*.bmp;*.jpg;*.jpeg;*.wmf;*.ico</source>
        <translation>Picture files|*.bmp;*.jpg;*.jpeg;*.wmf;*.ico</translation>
    </message>
    <message>
        <source>A kép file nem olvasható!</source>
        <translation>The picture file cannot be read!</translation>
    </message>
    <message>
        <source>Kép eredeti mérete</source>
        <translation>Picture&apos;s original size</translation>
    </message>
    <message>
        <source>Címkeív</source>
        <translation>Label stock</translation>
    </message>
</context>
<context>
    <name>TElementPanelText</name>
    <message>
        <source>Érték / &amp;Szöveg / Adatforrás</source>
        <translation>Value / &amp;Text / Data source</translation>
    </message>
    <message>
        <source>Alkalmaz</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Adatmező kiválasztása</source>
        <translation>Choose a data field</translation>
    </message>
    <message>
        <source>Rendszer dátum vagy idő beszúrása</source>
        <translation>Insert the system date or time</translation>
    </message>
    <message>
        <source>Kép file kiválasztása</source>
        <translation>Choose a picture file</translation>
    </message>
    <message>
        <source>Forrás neve (mező)</source>
        <translation>Source name (field)</translation>
    </message>
    <message>
        <source>Tipus</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Hossz</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Mégsem/Vissza</source>
        <translation>Cancel/Back</translation>
    </message>
    <message>
        <source>Balra igazítás</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>Középre igazítás</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Jobbra igazítás</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>Elforgatás (fok)</source>
        <translation>Rotation (degrees)</translation>
    </message>
    <message>
        <source>Betűtípus beállítása</source>
        <translation>Set the font</translation>
    </message>
    <message>
        <source>Elem belső azonosítója</source>
        <translation>The element&apos;s internal name</translation>
    </message>
    <message>
        <source>Forrás (adatmező neve)</source>
        <translation>Source (data field name)</translation>
    </message>
    <message>
        <source>Tárolt érték / első adatmező tartalma</source>
        <translation>Stored value / the first data field&apos;s content</translation>
    </message>
    <message>
        <source>Kiválasztott elem magassága [mm]</source>
        <translation>Selected element&apos;s height [mm]</translation>
    </message>
    <message>
        <source>Kiválasztott elem szélessége [mm]</source>
        <translation>Selected element&apos;s width [mm]</translation>
    </message>
    <message>
        <source>Függőleges pozíció [mm]</source>
        <translation>Vertical position [mm]</translation>
    </message>
    <message>
        <source>Vízszintes pozíció [mm]</source>
        <translation>Horizontal position [mm]</translation>
    </message>
    <message>
        <source>Név</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Forrás</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Érték</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Magasság</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Szélesség</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Fent</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Bal</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Címke-elem kiválasztása</source>
        <translation>Select a label element</translation>
    </message>
    <message>
        <source>Vonalkód</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <source>A kétdimenziós vonalkód beállítása</source>
        <translation>The two-dimensional barcode&apos;s setting</translation>
    </message>
    <message>
        <source>PDF417 hibajavítási szint (0–8)</source>
        <translation>PDF417 error correction level (0–8)</translation>
    </message>
    <message>
        <source>Vonalkód érték látszik</source>
        <translation>Barcode value shown</translation>
    </message>
    <message>
        <source>Start/Stop vonalak</source>
        <translation>Start/stop lines</translation>
    </message>
    <message>
        <source>Kijelölt vonalkód .bmp file-ba másolása</source>
        <translation>Copy the selected barcode into a .bmp file</translation>
    </message>
    <message>
        <source>Kijelölt vonalkód értékének sokszorosítása (klónozás)</source>
        <translation>Duplicate the selected barcode value (clone)</translation>
    </message>
    <message>
        <source>Vonalkód panel elrejtése</source>
        <translation>Hide the barcode panel</translation>
    </message>
    <message>
        <source>&amp;Hibajavítás:</source>
        <translation>&amp;Error correction:</translation>
    </message>
    <message>
        <source>&amp;Forma:</source>
        <translation>&amp;Shape:</translation>
    </message>
    <message>
        <source>Négyzet</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Téglalap</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>GS1 négyzet</source>
        <translation>GS1 square</translation>
    </message>
    <message>
        <source>GS1 téglalap</source>
        <translation>GS1 rectangle</translation>
    </message>
    <message>
        <source>&amp;Oszlop:</source>
        <translation>&amp;Columns:</translation>
    </message>
    <message>
        <source>&amp;Szint:</source>
        <translation>&amp;Level:</translation>
    </message>
    <message>
        <source>I</source>
        <comment>time code</comment>
        <translation>T</translation>
    </message>
    <message>
        <source>D</source>
        <comment>date code</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>É</source>
        <comment>year letter</comment>
        <translation>Y</translation>
    </message>
    <message>
        <source>H</source>
        <comment>month letter</comment>
        <translation>M</translation>
    </message>
    <message>
        <source>N</source>
        <comment>day letter</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>Ó</source>
        <comment>hour letter</comment>
        <translation>h</translation>
    </message>
    <message>
        <source>P</source>
        <comment>minute letter</comment>
        <translation>m</translation>
    </message>
</context>
<context>
    <name>TExcelExportText</name>
    <message>
        <source>Túl sok rekord egy Excel munkalaphoz! (legfeljebb %1)</source>
        <translation>Too many records for one Excel worksheet! (at most %1)</translation>
    </message>
    <message>
        <source>Már létező file! (</source>
        <translation>The file already exists! (</translation>
    </message>
    <message>
        <source>Felülírja a létező file-t?</source>
        <translation>Overwrite the existing file?</translation>
    </message>
    <message>
        <source>Nem lehet törölni a file-t! -- Használatban van?</source>
        <translation>The file cannot be deleted! -- Is it in use?</translation>
    </message>
    <message>
        <source>Az Excel file nem írható! (</source>
        <translation>The Excel file cannot be written! (</translation>
    </message>
    <message>
        <source>Excel export sikerült.<byte value="xd"/>(</source>
        <translation>Excel export done.<byte value="xd"/>(</translation>
    </message>
    <message>
        <source> sor.</source>
        <translation> rows.</translation>
    </message>
    <message>
        <source>Túl sok rekord egy Excel 2.x (.xls) munkalaphoz! (legfeljebb %1)</source>
        <translation>Too many records for one Excel 2.x (.xls) worksheet! (at most %1)</translation>
    </message>
    <message>
        <source>Mentse Excel munkafüzetként (.xlsx kiterjesztéssel): abban %1 rekord is elfér.</source>
        <translation>Save it as an Excel workbook (with the .xlsx extension): that holds %1 records.</translation>
    </message>
</context>
<context>
    <name>TFieldListText</name>
    <message>
        <source>Hiba</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Hibás tábla file! (Hibakód: </source>
        <translation>Faulty table file! (Error code: </translation>
    </message>
</context>
<context>
    <name>THelpFileText</name>
    <message>
        <source>&lt;h2&gt;Súgó&lt;/h2&gt;&lt;p&gt;A(z) </source>
        <translation>&lt;h2&gt;Help&lt;/h2&gt;&lt;p&gt;Help topic </translation>
    </message>
    <message>
        <source>. súgótéma nem található a súgófájlban.&lt;/p&gt;</source>
        <translation> is not in the help file.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>THelpViewerText</name>
    <message>
        <source>Etikor súgó</source>
        <translation>Etikor help</translation>
    </message>
</context>
<context>
    <name>TKeziFormText</name>
    <message>
        <source>Böngészés...</source>
        <translation>Browsing...</translation>
    </message>
    <message>
        <source>Vonalkód adatok kézi rögzítése</source>
        <translation>Manual entry of barcode data</translation>
    </message>
    <message>
        <source>Böngészés</source>
        <translation>Browsing</translation>
    </message>
    <message>
        <source>Sorozat: </source>
        <translation>Series: </translation>
    </message>
    <message>
        <source>Vonalkód érték</source>
        <translation>Barcode value</translation>
    </message>
    <message>
        <source>Felvétel</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Új adat felvétele</source>
        <translation>Add a new entry</translation>
    </message>
    <message>
        <source>Módosítás</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Adat módosítása</source>
        <translation>Edit the entry</translation>
    </message>
    <message>
        <source>Törlés</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Adat törlése</source>
        <translation>Delete the entry</translation>
    </message>
    <message>
        <source>Rendben</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rögzítés</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Mégsem</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Visszavonás</source>
        <translation>Undo the changes</translation>
    </message>
    <message>
        <source>Összes adat törlése</source>
        <translation>Delete all entries</translation>
    </message>
    <message>
        <source>Kijelölt vonalkód értékének sokszorosítása (klónozás)</source>
        <translation>Duplicate the selected barcode value (clone)</translation>
    </message>
    <message>
        <source>Vonalkód generálás</source>
        <translation>Barcode generation</translation>
    </message>
    <message>
        <source>Vonalkód típusa</source>
        <translation>Barcode type</translation>
    </message>
    <message>
        <source>MINTA</source>
        <translation>SAMPLE</translation>
    </message>
    <message>
        <source>Új adat felvétele...</source>
        <translation>Adding a new entry...</translation>
    </message>
    <message>
        <source>Módosítás...</source>
        <translation>Editing...</translation>
    </message>
    <message>
        <source>Nem vett fel vonalkód-értéket!</source>
        <translation>No barcode value was entered!</translation>
    </message>
    <message>
        <source>Törlés...</source>
        <translation>Deleting...</translation>
    </message>
</context>
<context>
    <name>TLabelPrintText</name>
    <message>
        <source>Nyomtatás...</source>
        <translation>Printing...</translation>
    </message>
    <message>
        <source>Üres az adatforrás!</source>
        <translation>The data source is empty!</translation>
    </message>
</context>
<context>
    <name>TLabelReportText</name>
    <message>
        <source> nem szám!</source>
        <translation> is not a number!</translation>
    </message>
    <message>
        <source> túl nagy szám! (Max.: 48)</source>
        <translation> is too large! (Max.: 48)</translation>
    </message>
</context>
<context>
    <name>TLabelTemplateText</name>
    <message>
        <source>Oldalbeállítás</source>
        <translation>Page setup</translation>
    </message>
    <message>
        <source>Oldal és címke beállítása</source>
        <translation>Page and label setup</translation>
    </message>
    <message>
        <source>Új elem</source>
        <translation>New element</translation>
    </message>
    <message>
        <source>Áthelyezés, átméretezés</source>
        <translation>Move, resize</translation>
    </message>
    <message>
        <source>Elem törlése</source>
        <translation>Delete element</translation>
    </message>
    <message>
        <source>Érték</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Betűtípus</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Elforgatás</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Igazítás</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>Vonalkód beállítása</source>
        <translation>Barcode setup</translation>
    </message>
</context>
<context>
    <name>TLinkedRunText</name>
    <message>
        <source>Címkék átlépése</source>
        <translation>Skip labels</translation>
    </message>
    <message>
        <source>Hány darab címkehelyet hagy ki?</source>
        <translation>How many label positions to skip?</translation>
    </message>
</context>
<context>
    <name>TMainFormDialogsText</name>
    <message>
        <source>Sorozat: </source>
        <translation>Series: </translation>
    </message>
    <message>
        <source>Kapcsolat: </source>
        <translation>Link: </translation>
    </message>
</context>
<context>
    <name>TMainFormExchangeText</name>
    <message>
        <source>Excel 2.x munkalap|*.xls|Excel munkafüzet|*.xlsx</source>
        <translation>Excel 2.x worksheet|*.xls|Excel workbook|*.xlsx</translation>
    </message>
</context>
<context>
    <name>TMainFormText</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Beállítások</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Szerkesztés</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Nyomtatás</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Sú&amp;gó</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Kilépés</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>A kézi rögzítés nem használható, amíg Excel-munkalap az adatforrás.</source>
        <translation>Manual entry is not available while an Excel worksheet is the data source.</translation>
    </message>
    <message>
        <source>Visszavonás: </source>
        <translation>Undo: </translation>
    </message>
    <message>
        <source>Mégis: </source>
        <translation>Redo: </translation>
    </message>
    <message>
        <source>Új sorozat...</source>
        <translation>New series...</translation>
    </message>
    <message>
        <source>Megnyitás...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Kézi rögzítés</source>
        <translation>Manual entry</translation>
    </message>
    <message>
        <source>Mentés másként...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Adatböngésző</source>
        <translation>Data browser</translation>
    </message>
    <message>
        <source>Importálás (Excel)</source>
        <translation>Import (Excel)</translation>
    </message>
    <message>
        <source>Excel file</source>
        <translation>Excel file</translation>
    </message>
    <message>
        <source>Kilépés</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Kurzor</source>
        <translation>Pointer</translation>
    </message>
    <message>
        <source>Szöveg</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Vonalkód</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <source>Kép</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Rajz</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>Elem törlése</source>
        <translation>Delete element</translation>
    </message>
    <message>
        <source>Visszavonás</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Mégis</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Nyomtatás</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Nyomtat...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Nyomtatási kép</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Nyomtató eltolása...</source>
        <translation>Printer offset...</translation>
    </message>
    <message>
        <source>Segitség  F1</source>
        <translation>Help  F1</translation>
    </message>
    <message>
        <source>Új...</source>
        <translation>New...</translation>
    </message>
    <message>
        <source>Megnyitás</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Vonalkód-sorozat kézi rögzítése</source>
        <translation>Manual entry of a barcode series</translation>
    </message>
    <message>
        <source>Importálás MS-Excel táblából</source>
        <translation>Import from an MS Excel table</translation>
    </message>
    <message>
        <source>Súgó [F1]</source>
        <translation>Help [F1]</translation>
    </message>
    <message>
        <source>&amp;Adatforrás</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>&amp;Elemek</source>
        <translation>&amp;Elements</translation>
    </message>
    <message>
        <source>Oldal</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Cimke</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>Nem lehet létrehozni a következő mappát: </source>
        <translation>The following folder cannot be created: </translation>
    </message>
    <message>
        <source>Sorozat: </source>
        <translation>Series: </translation>
    </message>
    <message>
        <source>Hiba történt a program futtatása közben.</source>
        <translation>An error occurred while the program was running.</translation>
    </message>
    <message>
        <source>Indítsa újra a programot!</source>
        <translation>Start the program again!</translation>
    </message>
    <message>
        <source>Valóban törölni kívánja a kiválasztott elemet?</source>
        <translation>Delete the selected element?</translation>
    </message>
    <message>
        <source>Valóban törölni kívánja a kiválasztott elemeket?</source>
        <translation>Delete the selected elements?</translation>
    </message>
    <message>
        <source>Súgó téma</source>
        <translation>Help topic</translation>
    </message>
    <message>
        <source>Sorszám:</source>
        <translation>Number:</translation>
    </message>
</context>
<context>
    <name>TMainText</name>
    <message>
        <source>Az Etikor már fut ebben a munkamappában:</source>
        <translation>Etikor is already running in this working folder:</translation>
    </message>
    <message>
        <source>Ugyanazokon a címketerveken egyszerre csak egy példány dolgozhat.</source>
        <translation>Only one instance can work on the same label templates at a time.</translation>
    </message>
</context>
<context>
    <name>TManualEntryText</name>
    <message>
        <source> sokszorosítása</source>
        <translation> – duplicate</translation>
    </message>
    <message>
        <source>+ darab: </source>
        <translation>+ copies: </translation>
    </message>
    <message>
        <source> nem szám!</source>
        <translation> is not a number!</translation>
    </message>
    <message>
        <source>Egyszerre legfeljebb 100 000 darab sokszorosítható! (</source>
        <translation>At most 100,000 copies can be made at a time! (</translation>
    </message>
    <message>
        <source>Feldolgozás vége! (</source>
        <translation>Processing finished! (</translation>
    </message>
    <message>
        <source> db. vonalkód)</source>
        <translation> barcodes)</translation>
    </message>
    <message>
        <source>Folytatja a sokszorosítást?</source>
        <translation>Continue duplicating?</translation>
    </message>
    <message>
        <source>Valóban törölni kívánja az aktuális vonalkódot?</source>
        <translation>Delete the current barcode?</translation>
    </message>
    <message>
        <source>Valóban törölni kívánja az ÖSSZES vonalkódot?</source>
        <translation>Delete ALL barcodes?</translation>
    </message>
</context>
<context>
    <name>TModalText</name>
    <message>
        <source>&amp;Súgó</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Hiba</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>&amp;Megszakít</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>Információ</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Kérdés</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>&amp;Igen</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nem</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Figyelmeztetés</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>TEltolasFormText</name>
    <message>
        <source>Nyomtató eltolása</source>
        <translation>Printer offset</translation>
    </message>
    <message>
        <source>Nyomtató:</source>
        <translation>Printer:</translation>
    </message>
    <message>
        <source>Vízszintes (+ jobbra):</source>
        <translation>Horizontal (+ right):</translation>
    </message>
    <message>
        <source>Függőleges (+ lefelé):</source>
        <translation>Vertical (+ down):</translation>
    </message>
    <message>
        <source>Minden, ami erre a nyomtatóra megy, ennyivel tolódik el.
PDF fileba nyomtatáskor nincs eltolás.</source>
        <translation>Everything printed on this printer is moved by this much.
Printing to a PDF file moves nothing.</translation>
    </message>
    <message>
        <source>Mégse</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TNyomtatasFormText</name>
    <message>
        <source>Db.</source>
        <translation>Qty</translation>
    </message>
    <message>
        <source>Vonalkód</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <source>Típus</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Etikett nyomtatás</source>
        <translation>Label printing</translation>
    </message>
    <message>
        <source>Mind</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Összes kijelölése (Darab=1)</source>
        <translation>Select all (Count=1)</translation>
    </message>
    <message>
        <source>Töröl</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Kijelölést megszüntet</source>
        <translation>Clear the selection</translation>
    </message>
    <message>
        <source>Szűkít</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Szűkítés</source>
        <translation>Filter the list</translation>
    </message>
    <message>
        <source>Mind látszik</source>
        <translation>Show all</translation>
    </message>
    <message>
        <source>Szűkítés visszavonása</source>
        <translation>Remove the filter</translation>
    </message>
    <message>
        <source>Nyomtat</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Kiválasztott címkék nyomtatása</source>
        <translation>Print the selected labels</translation>
    </message>
    <message>
        <source>Beállítás</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>A program paramétereinek beállítása</source>
        <translation>Set the program&apos;s parameters</translation>
    </message>
    <message>
        <source>Első cimke:</source>
        <translation>First label:</translation>
    </message>
    <message>
        <source>Hányadik cimkénél kezdődjön a nyomtatás (felhasznált cimkék átugrása)</source>
        <translation>The label position printing starts at (skips used labels)</translation>
    </message>
    <message>
        <source>Keret</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Keret nyomtatása a cimke köré</source>
        <translation>Print a frame round each label</translation>
    </message>
    <message>
        <source>Nyomtatásra kijelölt cimkék száma</source>
        <translation>Number of labels selected for printing</translation>
    </message>
    <message>
        <source>&amp;Kilép</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Kilép a nyomtatás funkcióból</source>
        <translation>Leave label printing</translation>
    </message>
</context>
<context>
    <name>TOrsinaFormText</name>
    <message>
        <source>Oldal méret</source>
        <translation>Page size</translation>
    </message>
    <message>
        <source>Orsina / Varázsló / Oldal méret beállítása</source>
        <translation>Orsina / Wizard / Page size</translation>
    </message>
    <message>
        <source>Itt adhatod meg az etiketteket tartalmazó lap pontos méreteit.<byte value="xd"/>
Ha szalagon (egypályás nyomtatókhoz) vannak a címkék, akkor a címke méreténél egy kicsivel nagyobb méretet adj meg!</source>
        <translation>Here you give the exact size of the sheet that holds the labels.<byte value="xd"/>
If the labels are on a roll (for single-track printers), give a size a little larger than the label!</translation>
    </message>
    <message>
        <source>Címke méret</source>
        <translation>Label size</translation>
    </message>
    <message>
        <source>Orsina / Varázsló / Címke méret beállítása</source>
        <translation>Orsina / Wizard / Label size</translation>
    </message>
    <message>
        <source>Ebben a részben lehet beállítani a címkék pontos méreteit. Egyes nyomtatóknál a magassághoz érdemes egy kicsit hozzáadni a megfelelő nyomtatási kép eléréséhez.</source>
        <translation>Here you set the exact size of the labels. With some printers it is worth adding a little to the height for a correct print.</translation>
    </message>
    <message>
        <source>Adatforrás</source>
        <translation>Data source</translation>
    </message>
    <message>
        <source>Orsina / Varázsló / Adatforrás kiválasztása</source>
        <translation>Orsina / Wizard / Choose the data source</translation>
    </message>
    <message>
        <source>Annyi címkét nyomtat a program alapértelmezés szerint, amennyi az adatforrásban szerepel. Ha nem Excel-t használsz adatforrásként, akkor a nyomtatásnál is szabályozhatod a nyomtatni kívánt címkék mennyiségét.</source>
        <translation>By default the program prints as many labels as the data source holds. If your data source is not Excel, you can also set the number of labels to print when printing.</translation>
    </message>
    <message>
        <source>&amp;Varázsló automatikus indítása</source>
        <translation>Start the &amp;wizard automatically</translation>
    </message>
    <message>
        <source>Súgó [F1]</source>
        <translation>Help [F1]</translation>
    </message>
    <message>
        <source>&lt;&lt; &amp;Vissza</source>
        <translation>&lt;&lt; &amp;Back</translation>
    </message>
    <message>
        <source>&amp;Tovább &gt;&gt;</source>
        <translation>&amp;Next &gt;&gt;</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A4 -es oldal méret beállítása</source>
        <translation>Set the page size to A4</translation>
    </message>
    <message>
        <source>Vonalkód adatok kézi rögzítése</source>
        <translation>Manual entry of barcode data</translation>
    </message>
    <message>
        <source>Vonalkód sorozat generálása</source>
        <translation>Generate a barcode series</translation>
    </message>
    <message>
        <source>MS-Excel kapcsolat</source>
        <translation>MS Excel link</translation>
    </message>
    <message>
        <source>Kapcsolat bontása (MS-Excel)</source>
        <translation>Remove the link (MS Excel)</translation>
    </message>
    <message>
        <source>VÉGE</source>
        <translation>FINISH</translation>
    </message>
    <message>
        <source>A varázsló futtatása előtt célszerű egy új sablont létrehozni.</source>
        <translation>Before running the wizard it is best to create a new template.</translation>
    </message>
    <message>
        <source>Létrehozzunk egy új címke-sablont?</source>
        <translation>Create a new label template?</translation>
    </message>
    <message>
        <source>Jelenleg MS-Excel filehoz kapcsolódik, így nem lehet kézzel rögzíteni.</source>
        <translation>The template is linked to an MS Excel file, so data cannot be entered by hand.</translation>
    </message>
    <message>
        <source>Kapcsolat: </source>
        <translation>Link: </translation>
    </message>
    <message>
        <source>Használja a kapcsolat bontása funkciót!</source>
        <translation>Use the remove link function first!</translation>
    </message>
    <message>
        <source>Nincs kapcsolt adat!</source>
        <translation>There is no linked data!</translation>
    </message>
    <message>
        <source>Felhasználod a beállított adatokat?</source>
        <translation>Use the data that is set?</translation>
    </message>
    <message>
        <source>Nincs, vagy üres az adatforrás!</source>
        <translation>The data source is missing or empty!</translation>
    </message>
    <message>
        <source>Címkeív…</source>
        <translation>Label stock…</translation>
    </message>
    <message>
        <source>Oldal és címke méret a gyártók címkeívei közül</source>
        <translation>Page and label size from the makers&apos; label sheets</translation>
    </message>
</context>
<context>
    <name>TPreviewFormText</name>
    <message>
        <source>Nyomtatási kép</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Egy lap</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>100% nagyítás</source>
        <translation>100% zoom</translation>
    </message>
    <message>
        <source>Nagyítás sz.</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>Első lap</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>Előző lap</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Következő lap</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Utolsó lap</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>Nyomtató beáll.</source>
        <translation>Printer setup</translation>
    </message>
    <message>
        <source>Ez a lap</source>
        <translation>This page</translation>
    </message>
    <message>
        <source>Csak a látható lap nyomtatása</source>
        <translation>Print only the page shown</translation>
    </message>
    <message>
        <source>Nyomtató beállítása</source>
        <translation>Printer setup</translation>
    </message>
    <message>
        <source>Nyomtatás</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Mentés</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Betöltés</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>&amp;Bezár</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Nyomtatási kép (*.qrp)</source>
        <translation>Print preview (*.qrp)</translation>
    </message>
    <message>
        <source>A fájl nem írható: </source>
        <translation>The file cannot be written: </translation>
    </message>
    <message>
        <source>A fájl nem található: </source>
        <translation>The file cannot be found: </translation>
    </message>
    <message>
        <source>A fájl nem nyomtatási kép: </source>
        <translation>The file is not a print preview: </translation>
    </message>
</context>
<context>
    <name>TPrintChecksText</name>
    <message>
        <source>„%1” értéke %2, de csak %3 és %4 között lehet.</source>
        <translation>“%1” is %2, but it can only be between %3 and %4.</translation>
    </message>
    <message>
        <source>A címkék nem férnek el a lapon: %1 oszlop a margók és a térközök mellett %2 széles lenne.</source>
        <translation>The labels do not fit on the sheet: %1 columns with the margins and gaps would be %2 wide.</translation>
    </message>
    <message>
        <source>A címkék nem férnek el a lapon: a felső és az alsó margó után %1 marad.</source>
        <translation>The labels do not fit on the sheet: %1 is left after the top and bottom margins.</translation>
    </message>
    <message>
        <source>A sablon oldalbeállításával nem lehet nyomtatni:<byte value="xd"/></source>
        <translation>The template&apos;s page setup cannot be printed:<byte value="xd"/></translation>
    </message>
    <message>
        <source>Ezek a mezők nincsenek meg az adatforrásban, az értékük üresen nyomtatódna: </source>
        <translation>These fields are not in the data source; their values would print empty: </translation>
    </message>
    <message>
        <source><byte value="xd"/>Így is nyomtat?</source>
        <translation><byte value="xd"/>Print anyway?</translation>
    </message>
</context>
<context>
    <name>TPrintSelectionText</name>
    <message>
        <source>Nem választott ki semmit!</source>
        <translation>Nothing is selected!</translation>
    </message>
    <message>
        <source>Indulhat </source>
        <translation>Start printing </translation>
    </message>
    <message>
        <source> db. cimke nyomtatása?</source>
        <translation> labels?</translation>
    </message>
</context>
<context>
    <name>TPrintTargetText</name>
    <message>
        <source>alapértelmezett</source>
        <translation>default</translation>
    </message>
    <message>
        <source>A(z) „%1” nyomtató nem nyitható meg, a nyomtatás elmarad.</source>
        <translation>The printer “%1” cannot be opened; nothing is printed.</translation>
    </message>
</context>
<context>
    <name>TSeriesDefinitionText</name>
    <message>
        <source>01-es és 02-es adattartalom azonosító nem szerepelhet együtt!</source>
        <translation>Application identifiers 01 and 02 cannot be used together!</translation>
    </message>
    <message>
        <source>02-es adattartalom azonosítót 37-nek kell követnie!</source>
        <translation>Application identifier 02 must be followed by 37!</translation>
    </message>
</context>
<context>
    <name>TSeriesGenerationText</name>
    <message>
        <source>A(z) %1. érték („%2”) nem lehet ilyen vonalkód:</source>
        <translation>Value %1 (“%2”) cannot be a barcode of this type:</translation>
    </message>
    <message>
        <source>A generálás leállt, a sorozat nem változott.</source>
        <translation>Generation stopped; the series is unchanged.</translation>
    </message>
    <message>
        <source>Felülírja a meglévő sorozatot? [</source>
        <translation>Overwrite the existing series? [</translation>
    </message>
    <message>
        <source>Nem adta meg a vonalkód részeit, vagy nem töltött be elmentett sorozatott!</source>
        <translation>The barcode parts are not given, or no saved series is loaded!</translation>
    </message>
    <message>
        <source>Generált vonalkódok száma (1): </source>
        <translation>Barcodes generated (1): </translation>
    </message>
    <message>
        <source><byte value="xd"/>Folytatja a feldolgozást?</source>
        <translation><byte value="xd"/>Continue processing?</translation>
    </message>
    <message>
        <source>Ez a feldolgozás több percig is eltarthat! Folytatja?</source>
        <translation>This processing may take several minutes! Continue?</translation>
    </message>
    <message>
        <source>Feldolgozás vége!</source>
        <translation>Processing finished!</translation>
    </message>
</context>
<context>
    <name>TSeriesSegmentsText</name>
    <message>
        <source>„%1”</source>
        <comment>a quoted value</comment>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>%1 nem egész szám.</source>
        <translation>%1 is not a whole number.</translation>
    </message>
    <message>
        <source>%1 nem érvényes dátum a(z) %2 formátumban.</source>
        <translation>%1 is not a valid date in the %2 format.</translation>
    </message>
    <message>
        <source>a(z) %1. karakter a 255-ös kódon túl lépne.</source>
        <translation>character %1 would step past code 255.</translation>
    </message>
    <message>
        <source>A generálandó vonalkódok száma meghaladja a(z) %1 darabot; bontsa a sorozatot kisebb részekre.</source>
        <translation>The number of barcodes to generate exceeds %1; split the series into smaller parts.</translation>
    </message>
    <message>
        <source>Karakter</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>Szám</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Dátum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source> típus</source>
        <translation> type</translation>
    </message>
    <message>
        <source>A(z) %1. vonalkódrész (%2, %3)</source>
        <translation>Barcode part %1 (%2, %3)</translation>
    </message>
    <message>
        <source>a kezdő és a záró érték nem lehet rövidebb a rész hosszánál (%1 karakter).</source>
        <translation>the start and end values cannot be shorter than the part&apos;s length (%1 characters).</translation>
    </message>
    <message>
        <source>a típus ismeretlen, ezért a számláló nem lép; számláló csak Karakter (K), Szám (S) vagy Dátum (D) lehet.</source>
        <translation>the type is unknown, so the counter does not step; a counter can only be Character (K), Number (S) or Date (D).</translation>
    </message>
    <message>
        <source>a növekmény 0, ezért a számláló nem lép; legalább 1 legyen.</source>
        <translation>the increment is 0, so the counter does not step; make it at least 1.</translation>
    </message>
    <message>
        <source>a %1 hosszú számláló a záró értéket %2 alakban írja, így %3 sosem lesz a szövege. Adja meg a záró értéket %2 alakban.</source>
        <translation>a counter of length %1 writes the end value as %2, so its text is never %3. Give the end value as %2.</translation>
    </message>
    <message>
        <source>a záró dátum nincs a választott %1 formátumban írva (abban %2 lenne), így a számláló sosem éri el.</source>
        <translation>the end date is not written in the chosen %1 format (it would be %2), so the counter never reaches it.</translation>
    </message>
    <message>
        <source>a hossz 0, így nincs léptethető karakter.</source>
        <translation>the length is 0, so there is no character to step.</translation>
    </message>
    <message>
        <source>a kezdő és a záró érték hossza különbözik.</source>
        <translation>the start and end values differ in length.</translation>
    </message>
    <message>
        <source>a kezdő és a záró érték a rész hosszán (%1 karakter) túl is eltér, de ott a számláló nem lép.</source>
        <translation>the start and end values differ beyond the part&apos;s length (%1 characters), where the counter does not step.</translation>
    </message>
    <message>
        <source>a záró érték %1. karaktere (%2) kisebb a kezdő értékénél (%3), ezért a számláló sosem éri el.</source>
        <translation>character %1 of the end value (%2) is less than that of the start value (%3), so the counter never reaches it.</translation>
    </message>
</context>
<context>
    <name>TSettingsText</name>
    <message>
        <source>A beállításokat nem lehet elmenteni a(z) </source>
        <translation>The settings cannot be saved to the file </translation>
    </message>
    <message>
        <source> fileba!</source>
        <translation>!</translation>
    </message>
    <message>
        <source>Ellenőrizze, hogy a file és a mappája írható-e.</source>
        <translation>Check that the file and its folder are writable.</translation>
    </message>
</context>
<context>
    <name>TSetupTabsText</name>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A4 -es oldal méret beállítása</source>
        <translation>Set the page size to A4</translation>
    </message>
    <message>
        <source>Alkalmaz</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Címke méret</source>
        <translation>Label size</translation>
    </message>
    <message>
        <source>Szélesség mm.</source>
        <translation>Width mm</translation>
    </message>
    <message>
        <source>Magasság mm.</source>
        <translation>Height mm</translation>
    </message>
    <message>
        <source>Méretek beállításának léptetési egysége</source>
        <translation>The step of the size controls</translation>
    </message>
    <message>
        <source>&amp;Léptetés:</source>
        <translation>&amp;Step:</translation>
    </message>
    <message>
        <source>Keret a címkék körül</source>
        <translation>Frame round the labels</translation>
    </message>
    <message>
        <source>Címkeív…</source>
        <translation>Label stock…</translation>
    </message>
    <message>
        <source>Oldal és címke méret a gyártók címkeívei közül</source>
        <translation>Page and label size from the makers&apos; label sheets</translation>
    </message>
</context>
<context>
    <name>TStockChooserText</name>
    <message>
        <source>Címkeív</source>
        <translation>Label stock</translation>
    </message>
    <message>
        <source>&amp;Keresés:</source>
        <translation>&amp;Search:</translation>
    </message>
    <message>
        <source>méret (pl. 70x37), cikkszám vagy gyártó</source>
        <translation>size (e.g. 70x37), product code or maker</translation>
    </message>
    <message>
        <source>Gyártó</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>Cikkszám / név</source>
        <translation>Product code / name</translation>
    </message>
    <message>
        <source>Lap</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Címke (mm)</source>
        <translation>Label (mm)</translation>
    </message>
    <message>
        <source>Oszlop × sor</source>
        <translation>Columns × rows</translation>
    </message>
    <message>
        <source>&amp;Mentés sajátként…</source>
        <translation>&amp;Save as my own…</translation>
    </message>
    <message>
        <source>A mostani oldalbeállítás mentése saját címkeívként</source>
        <translation>Save the current page setup as an own label sheet</translation>
    </message>
    <message>
        <source>&amp;Törlés</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>A kijelölt saját címkeív törlése</source>
        <translation>Delete the selected own label sheet</translation>
    </message>
    <message>
        <source>&amp;Választ</source>
        <translation>&amp;Choose</translation>
    </message>
    <message>
        <source>Mégsem</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kihagyott sorok: %1</source>
        <translation>Lines left out: %1</translation>
    </message>
    <message>
        <source>(saját)</source>
        <translation>(own)</translation>
    </message>
    <message>
        <source>Nincs ilyen címkeív.</source>
        <translation>No such label sheet.</translation>
    </message>
    <message>
        <source>Oldal %1 × %2 mm, margók: felső %3, bal %4, jobb %5, alsó %6 mm, oszlopköz %7 mm.</source>
        <translation>Page %1 × %2 mm, margins: top %3, left %4, right %5, bottom %6 mm, column gap %7 mm.</translation>
    </message>
    <message>
        <source>A saját címkeív neve:</source>
        <translation>Name of the own label sheet:</translation>
    </message>
    <message>
        <source>Már van „%1” nevű saját címkeív. Felülírod?</source>
        <translation>There is already an own label sheet named “%1”. Overwrite it?</translation>
    </message>
    <message>
        <source>A saját címkeív nem menthető: %1</source>
        <translation>The own label sheet cannot be saved: %1</translation>
    </message>
    <message>
        <source>Törlöd a(z) „%1” saját címkeívet?</source>
        <translation>Delete the own label sheet “%1”?</translation>
    </message>
    <message>
        <source>A saját címkeív nem törölhető: %1</source>
        <translation>The own label sheet cannot be deleted: %1</translation>
    </message>
</context>
<context>
    <name>TTablaFormText</name>
    <message>
        <source>Adatböngésző - </source>
        <translation>Data browser - </translation>
    </message>
    <message>
        <source>Első rekord</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Előző rekord</source>
        <translation>Previous record</translation>
    </message>
    <message>
        <source>Következő rekord</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>Utolsó rekord</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Rekordok száma: </source>
        <translation>Records: </translation>
    </message>
</context>
<context>
    <name>TTemplateFilesText</name>
    <message>
        <source>Sorozat: </source>
        <translation>Series: </translation>
    </message>
    <message>
        <source>Hiányzik a(z) </source>
        <translation>Missing file: </translation>
    </message>
    <message>
        <source> file! (.ctv)</source>
        <translation> (.ctv)</translation>
    </message>
    <message>
        <source>A megnyitni kívánt címketerv (</source>
        <translation>The label template to open (</translation>
    </message>
    <message>
        <source>) hiányzik, vagy az előző verzióval készült.</source>
        <translation>) is missing or was made with an earlier version.</translation>
    </message>
    <message>
        <source>Ebben a verzióban nem nyitható meg!</source>
        <translation>It cannot be opened in this version!</translation>
    </message>
    <message>
        <source>Most a program visszaáll az alap címketervre (Sorozat0.ctv). Indítsa újra a programot!</source>
        <translation>The program now returns to the default label template (Sorozat0.ctv). Start the program again!</translation>
    </message>
    <message>
        <source> file! (.sor)</source>
        <translation> (.sor)</translation>
    </message>
    <message>
        <source>Hibás vagy sérült a(z) </source>
        <translation>Faulty or damaged file: </translation>
    </message>
    <message>
        <source> file! (</source>
        <translation> (</translation>
    </message>
    <message>
        <source> file (.vks)!</source>
        <translation> (.vks)</translation>
    </message>
    <message>
        <source>Most egy üres sablont fog létrehozni a Sorozat0.ctv sablon helyett.</source>
        <translation>An empty template will now be made instead of the Sorozat0.ctv template.</translation>
    </message>
    <message>
        <source>Folytatja?</source>
        <translation>Continue?</translation>
    </message>
    <message>
        <source>Etikor címke file</source>
        <translation>Etikor label file</translation>
    </message>
    <message>
        <source>CIMKE fileok|*.ctv</source>
        <translation>LABEL files|*.ctv</translation>
    </message>
    <message>
        <source>Hibás file, vagy a megnyitni kívánt címketerv (</source>
        <translation>Faulty file, or the label template to open (</translation>
    </message>
    <message>
        <source> file!</source>
        <translation>!</translation>
    </message>
    <message>
        <source>Címke sablon [Mentés másként]</source>
        <translation>Label template [Save as]</translation>
    </message>
    <message>
        <source>Etikor címke file|*.ctv</source>
        <translation>Etikor label file|*.ctv</translation>
    </message>
    <message>
        <source> file már létezik!</source>
        <translation> already exists!</translation>
    </message>
    <message>
        <source>Felülírja? (A file tartalma elveszik)</source>
        <translation>Overwrite it? (The file&apos;s contents will be lost)</translation>
    </message>
    <message>
        <source>A(z) </source>
        <translation>The name </translation>
    </message>
    <message>
        <source> név túl hosszú!</source>
        <translation> is too long!</translation>
    </message>
    <message>
        <source>A file neve legfeljebb %1 bájt lehet (egy ékezetes betű 2 bájt). Válasszon rövidebb nevet!</source>
        <translation>A file name can be at most %1 bytes (an accented letter takes 2). Choose a shorter name!</translation>
    </message>
</context>
<context>
    <name>TTervezoFormText</name>
    <message>
        <source>Generálás / Kód tervező  [</source>
        <translation>Generate / Code designer  [</translation>
    </message>
    <message>
        <source>Vonalkód &amp;típusok</source>
        <translation>Barcode &amp;types</translation>
    </message>
    <message>
        <source>Feldolgozás</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>&amp;Vízszintes</source>
        <translation>&amp;Horizontal</translation>
    </message>
    <message>
        <source>&amp;Függőleges</source>
        <translation>&amp;Vertical</translation>
    </message>
    <message>
        <source>Víszintes: ABC1000A..Z,  ABC1001A..Z.
Függőleges: ABC1000A, ABC1001B, ABC1002C.</source>
        <translation>Horizontal: ABC1000A..Z,  ABC1001A..Z.
Vertical: ABC1000A, ABC1001B, ABC1002C.</translation>
    </message>
    <message>
        <source>Sorozat / Vonalkód 1</source>
        <translation>Series / Barcode 1</translation>
    </message>
    <message>
        <source>Vonalkód részei</source>
        <translation>Barcode parts</translation>
    </message>
    <message>
        <source>I</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Hossz</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Típus</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Sz</source>
        <translation>Ctr</translation>
    </message>
    <message>
        <source>Érték 1</source>
        <translation>Value 1</translation>
    </message>
    <message>
        <source>Értek 2</source>
        <translation>Value 2</translation>
    </message>
    <message>
        <source>Vktip</source>
        <translation>Bc. type</translation>
    </message>
    <message>
        <source>Hozzáad</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Szerkeszt</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Töröl</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Karakter</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>Szám</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Dátum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Számláló</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>Fixen tárolt érték</source>
        <translation>Fixed value</translation>
    </message>
    <message>
        <source>-Ig. érték</source>
        <translation>-To value</translation>
    </message>
    <message>
        <source>Növekmény +</source>
        <translation>Increment +</translation>
    </message>
    <message>
        <source>Alkalmaz</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Mégsem/Vissza</source>
        <translation>Cancel/Back</translation>
    </message>
    <message>
        <source>Ean128 segéd</source>
        <translation>Ean128 helper</translation>
    </message>
    <message>
        <source>&amp;Generálás</source>
        <translation>&amp;Generate</translation>
    </message>
    <message>
        <source>Sorozat(ok) generálása</source>
        <translation>Generate the series</translation>
    </message>
    <message>
        <source>&amp;Kilép</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Kilépés [ESC]</source>
        <translation>Exit [ESC]</translation>
    </message>
    <message>
        <source>Súgó [F1]</source>
        <translation>Help [F1]</translation>
    </message>
    <message>
        <source>Tól érték -</source>
        <translation>From value -</translation>
    </message>
    <message>
        <source>Valóban törli az aktuális definíciót?<byte value="xd"/>Érték: </source>
        <translation>Delete the current definition?<byte value="xd"/>Value: </translation>
    </message>
    <message>
        <source>Hiányzik a </source>
        <translation>Missing value: </translation>
    </message>
    <message>
        <source> értéke!</source>
        <translation>!</translation>
    </message>
    <message>
        <source>Túl hosszú számláló érték.</source>
        <translation>The counter value is too long.</translation>
    </message>
</context>
<context>
    <name>TToolBarText</name>
    <message>
        <source>Elrendezés</source>
        <translation>Arrange</translation>
    </message>
    <message>
        <source>Igazítás balra</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>Igazítás jobbra</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>Igazítás felülre</source>
        <translation>Align top</translation>
    </message>
    <message>
        <source>Igazítás alulra</source>
        <translation>Align bottom</translation>
    </message>
    <message>
        <source>Középre vízszintesen</source>
        <translation>Centre horizontally</translation>
    </message>
    <message>
        <source>Középre függőlegesen</source>
        <translation>Centre vertically</translation>
    </message>
    <message>
        <source>Egyenletes elosztás vízszintesen</source>
        <translation>Distribute horizontally</translation>
    </message>
    <message>
        <source>Egyenletes elosztás függőlegesen</source>
        <translation>Distribute vertically</translation>
    </message>
    <message>
        <source>Vízszintes vonal</source>
        <translation>Horizontal line</translation>
    </message>
    <message>
        <source>Függőleges vonal</source>
        <translation>Vertical line</translation>
    </message>
    <message>
        <source>Négyzet</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Kör</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Ellipszis</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Kurzor</source>
        <translation>Pointer</translation>
    </message>
    <message>
        <source>Szöveg elem</source>
        <translation>Text element</translation>
    </message>
    <message>
        <source>Vonalkód elem</source>
        <translation>Barcode element</translation>
    </message>
    <message>
        <source>Kép elem</source>
        <translation>Picture element</translation>
    </message>
    <message>
        <source>Rajz elem</source>
        <translation>Drawing element</translation>
    </message>
    <message>
        <source>Aktuális elem törlése</source>
        <translation>Delete the current element</translation>
    </message>
    <message>
        <source>Kép elem eredeti méretének beállítása
Címke frissítése.</source>
        <translation>Set the picture element&apos;s original size
Refresh the label.</translation>
    </message>
    <message>
        <source>Nagyítás %1%</source>
        <translation>Zoom %1%</translation>
    </message>
    <message>
        <source>Nagyítás (Ctrl++, Ctrl+görgő)</source>
        <translation>Zoom in (Ctrl++, Ctrl+wheel)</translation>
    </message>
    <message>
        <source>Kicsinyítés (Ctrl+-, Ctrl+görgő)</source>
        <translation>Zoom out (Ctrl+-, Ctrl+wheel)</translation>
    </message>
    <message>
        <source>Az egész címke látszik (Ctrl+0)</source>
        <translation>Fit the whole label (Ctrl+0)</translation>
    </message>
</context>
<context>
    <name>TWorkbookLinkText</name>
    <message>
        <source>Excel fileok|*.xls;*.xlsx;*.ods;*.csv|Excel 97-2003|*.xls|Excel 2007-|*.xlsx|OpenDocument|*.ods|CSV|*.csv</source>
        <translation>Excel files|*.xls;*.xlsx;*.ods;*.csv|Excel 97-2003|*.xls|Excel 2007-|*.xlsx|OpenDocument|*.ods|CSV|*.csv</translation>
    </message>
    <message>
        <source>Kapcsolat: </source>
        <translation>Link: </translation>
    </message>
    <message>
        <source>A(z) </source>
        <translation>The </translation>
    </message>
    <message>
        <source> UTF-8 szövegében hibás bájtok vannak (az első a(z) %1. sorban);</source>
        <translation> has faulty bytes in its UTF-8 text (the first in line %1);</translation>
    </message>
    <message>
        <source>ezeket Windows-1250 karakterként olvasta be a program.</source>
        <translation>the program read them as Windows-1250 characters.</translation>
    </message>
    <message>
        <source>Etikor MS-Excel kapcsolat</source>
        <translation>Etikor MS Excel link</translation>
    </message>
    <message>
        <source>Sorozat: </source>
        <translation>Series: </translation>
    </message>
    <message>
        <source>Nincs kapcsolt adat!</source>
        <translation>There is no linked data!</translation>
    </message>
    <message>
        <source>Ez a címketerv kapcsolt adatokat tartalmaz!</source>
        <translation>This label template has linked data!</translation>
    </message>
    <message>
        <source>[ Táblanév: </source>
        <translation>[ Table name: </translation>
    </message>
    <message>
        <source>Kapcsolja újra az adatokat!</source>
        <translation>Link the data again!</translation>
    </message>
    <message>
        <source> file</source>
        <translation> file</translation>
    </message>
    <message>
        <source>nem található az alapértelmezett</source>
        <translation>was not found in the default</translation>
    </message>
    <message>
        <source>) mappában!</source>
        <translation>) folder!</translation>
    </message>
    <message>
        <source>A kapcsolat nem jött létre!</source>
        <translation>The link was not made!</translation>
    </message>
</context>
</TS>
