<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>lexicana</name>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>実行形式ﾌｧｲﾙ(*.exe)|*.exe</source>
        <translation>Programs (*.exe)|*.exe</translation>
    </message>
    <message>
        <source>実行形式ﾌｧｲﾙ(*)|*</source>
        <translation>Programs (*)|*</translation>
    </message>
    <message>
        <source>ファイルの関連付けを設定できません。
デスクトップの設定フォルダへの書き込み権限があるか確認してください。</source>
        <translation>The file association cannot be set.
Check that you may write to the desktop&apos;s settings folders.</translation>
    </message>
    <message>
        <source>ファイルの関連付けの書き込みに失敗しました。
デスクトップの設定フォルダへの書き込み権限があるか確認してください。</source>
        <translation>The file association could not be written.
Check that you may write to the desktop&apos;s settings folders.</translation>
    </message>
    <message>
        <source>アプリケーションの設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>基本設定</source>
        <translation>General</translation>
    </message>
    <message>
        <source>エディタ</source>
        <translation>Editors</translation>
    </message>
    <message>
        <source>関連付け/ヘルプ</source>
        <translation>Association/Help</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>タイトルバーのファイル名をフルパスで表示する</source>
        <translation>Show the full path of the file in the title bar</translation>
    </message>
    <message>
        <source>起動時に前回のファイルを自動的に読み込む</source>
        <translation>Open the last file at startup</translation>
    </message>
    <message>
        <source>変換実行直後に項目データも上書き保存する</source>
        <translation>Also save the item data after each conversion</translation>
    </message>
    <message>
        <source>全セル検索の方向</source>
        <translation>Direction of Find in Every Cell</translation>
    </message>
    <message>
        <source>上から下</source>
        <translation>Top to bottom</translation>
    </message>
    <message>
        <source>左から右</source>
        <translation>Left to right</translation>
    </message>
    <message>
        <source>レコードの追加、削除先</source>
        <translation>Where records are inserted and deleted</translation>
    </message>
    <message>
        <source>選択中のセル</source>
        <translation>At the selected cell</translation>
    </message>
    <message>
        <source>マウスポインタの位置</source>
        <translation>At the mouse pointer</translation>
    </message>
    <message>
        <source>ファイルレコード追加ダイアログのフィルタ</source>
        <translation>Filter of the Insert File Record dialog</translation>
    </message>
    <message>
        <source>漢字コード</source>
        <translation>Character code</translation>
    </message>
    <message>
        <source>改行コード</source>
        <translation>Line ends</translation>
    </message>
    <message>
        <source>テーブルファイルの編集</source>
        <translation>Editing table files</translation>
    </message>
    <message>
        <source>テキストエディタ</source>
        <translation>Text editor</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>パラメータ</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>デフォルトに戻す</source>
        <translation>Reset to Default</translation>
    </message>
    <message>
        <source>エディタを終了するまでLexicanaを隠す</source>
        <translation>Hide Lexicana until the editor is closed</translation>
    </message>
    <message>
        <source>HTMLファイルの編集</source>
        <translation>Editing HTML files</translation>
    </message>
    <message>
        <source>HTMLエディタ （未指定時はテーブルファイルと同じエディタが使われます）</source>
        <translation>HTML editor (when empty, the table file editor is used)</translation>
    </message>
    <message>
        <source>テキストエディタの既定値「xdg-open」は、ファイルの種類に合わせてデスクトップで関連付けられたプログラムで開きます。
この場合、エディタの終了を待たずに Lexicana が再び表示されることがあります。</source>
        <translation>The default text editor, &quot;xdg-open&quot;, opens each file with the program the desktop associates with its type.
In that case Lexicana may reappear before the editor is closed.</translation>
    </message>
    <message>
        <source>セットファイル（拡張子は.lxs）を関連付ける</source>
        <translation>Associate Set Files (.lxs) with Lexicana</translation>
    </message>
    <message>
        <source>インターネット上の最新ヘルプを参照する（常時接続環境向け）</source>
        <translation>Use the latest help on the Internet (for an always-on connection)</translation>
    </message>
    <message>
        <source>ファイルの場所:</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>ファイル名:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>ファイルの種類:</source>
        <translation>Files of type:</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>テキストエディタの指定</source>
        <translation>Choose the Text Editor</translation>
    </message>
    <message>
        <source>HTMLエディタの指定</source>
        <translation>Choose the HTML Editor</translation>
    </message>
    <message>
        <source>既に&quot;.lxs&quot;には%1が関連付けられています。
関連付けを設定しなおしますか？（後で元に戻すことはできません）</source>
        <translation>&quot;.lxs&quot; files are already associated with %1.
Associate them with Lexicana instead? (This cannot be undone later.)</translation>
    </message>
    <message>
        <source>設定変更の確認</source>
        <translation>Confirm Change of Settings</translation>
    </message>
    <message>
        <source>関連付けが完了しました。</source>
        <translation>The association has been set.</translation>
    </message>
    <message>
        <source>関連付けの設定完了</source>
        <translation>Association Set</translation>
    </message>
    <message>
        <source>関連付けの設定失敗</source>
        <translation>Association Failed</translation>
    </message>
    <message>
        <source>変換テーブルファイル(*.ctb)|*.ctb|全てのファイル(*.*)|*.*</source>
        <translation>Conversion table files (*.ctb)|*.ctb|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>情報出力ファイルリスト(*.lst)|*.lst|全てのファイル(*.*)|*.*</source>
        <translation>External output file lists (*.lst)|*.lst|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>項目データファイル（メインウィンドウから開いてください）</source>
        <translation>Item data file (open it from the main window)</translation>
    </message>
    <message>
        <source>変換テーブルファイル(*.ctb)</source>
        <translation>Conversion table file (*.ctb)</translation>
    </message>
    <message>
        <source>テンプレートからコピー</source>
        <translation>Copy from Template</translation>
    </message>
    <message>
        <source>HTMLファイル(*.html)の基準フォルダ</source>
        <translation>Base folder of the HTML files (*.html)</translation>
    </message>
    <message>
        <source>外部出力ファイル</source>
        <translation>External output file list</translation>
    </message>
    <message>
        <source>ファイル名がフルパスでない場合、
カレントディレクトリのファイルになります</source>
        <translation>A file name that is not a full path
is taken from the current folder</translation>
    </message>
    <message>
        <source>変換セットの設定 - %1</source>
        <translation>Conversion Set Settings - %1</translation>
    </message>
    <message>
        <source>テーブルファイルの指定</source>
        <translation>Choose the Table File</translation>
    </message>
    <message>
        <source>新規テーブルファイルにコピー</source>
        <translation>Copy to a New Table File</translation>
    </message>
    <message>
        <source>%1 を読み込めません。</source>
        <translation>Cannot read %1.</translation>
    </message>
    <message>
        <source>%1 に書き込めません。</source>
        <translation>Cannot write to %1.</translation>
    </message>
    <message>
        <source>テンプレートを &quot;%1&quot; にコピーできませんでした。
%2</source>
        <translation>The template could not be copied to &quot;%1&quot;.
%2</translation>
    </message>
    <message>
        <source>HTMLファイルの基準フォルダを選択</source>
        <translation>Choose the Base Folder of the HTML Files</translation>
    </message>
    <message>
        <source>情報出力ファイルの指定</source>
        <translation>Choose the External Output File List</translation>
    </message>
    <message>
        <source>セットファイルを今すぐ上書きしますか？</source>
        <translation>Save the set file now?</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>HTMLファイル読み込み</source>
        <translation>Reading the HTML file</translation>
    </message>
    <message>
        <source>Lexicanaパートの作成</source>
        <translation>Making the Lexicana part</translation>
    </message>
    <message>
        <source>一時ファイルに書き込み</source>
        <translation>Writing a temporary file</translation>
    </message>
    <message>
        <source>元のHTMLファイルに上書き</source>
        <translation>Replacing the original HTML file</translation>
    </message>
    <message>
        <source>変換処理中</source>
        <translation>Converting</translation>
    </message>
    <message>
        <source>変換処理中です。しばらくお待ちください。</source>
        <translation>Converting. Please wait.</translation>
    </message>
    <message>
        <source>変換処理ステップ</source>
        <translation>Conversion steps</translation>
    </message>
    <message>
        <source>変換を中断しますか？</source>
        <translation>Stop the conversion?</translation>
    </message>
    <message>
        <source>変換対象のHTMLファイル : </source>
        <translation>HTML file being converted: </translation>
    </message>
    <message>
        <source>変換対象のパートID : </source>
        <translation>Part ID being converted: </translation>
    </message>
    <message>
        <source>変換処理中のレコード : </source>
        <translation>Record being converted: </translation>
    </message>
    <message>
        <source>全てのファイル(*.*)|*.*</source>
        <translation>All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>外部出力ファイルリストの編集</source>
        <translation>Edit External Output File List</translation>
    </message>
    <message>
        <source>編集対象のファイル</source>
        <translation>File to edit</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>↓追加</source>
        <translation>↓ Add</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>外部出力ファイルリスト(&quot;%1&quot;)が読み出せません。
ファイルが読み出せる状態にあるかを確認してください。</source>
        <translation>The external output file list (&quot;%1&quot;) cannot be read.
Check that the file can be read.</translation>
    </message>
    <message>
        <source>外部出力ファイルリスト(&quot;%1&quot;)に書き出せません。
%2</source>
        <translation>Cannot write to the external output file list (&quot;%1&quot;).
%2</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; は読み取り専用です。
別の名前を選んでください。</source>
        <translation>The file &quot;%1&quot; is read-only.
Please choose another name.</translation>
    </message>
    <message>
        <source>%1
このファイルは存在しません。
ファイルを作成しますか?</source>
        <translation>%1
This file does not exist.
Create it?</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>ファイル名 &quot;%1&quot; には Shift_JIS で表せない文字が含まれているため、使用できません。
別の名前を選んでください。</source>
        <translation>The file name &quot;%1&quot; contains characters that Shift_JIS cannot represent, so it cannot be used.
Please choose another name.</translation>
    </message>
    <message>
        <source>テキストファイル(CSV形式)(*.csv; *.txt)|*.csv; *.txt|全てのファイル(*.*)|*.*</source>
        <translation>Text files (CSV) (*.csv; *.txt)|*.csv; *.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Lexicanaセットファイル(*.lxs)|*.lxs|全てのファイル(*.*)|*.*</source>
        <translation>Lexicana set files (*.lxs)|*.lxs|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>検索する文字列(&amp;N):</source>
        <translation>Fi&amp;nd what:</translation>
    </message>
    <message>
        <source>単語単位で探す(&amp;W)</source>
        <translation>Match &amp;whole word only</translation>
    </message>
    <message>
        <source>大文字と小文字を区別する(&amp;C)</source>
        <translation>Match &amp;case</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation>&amp;Up</translation>
    </message>
    <message>
        <source>下へ(&amp;D)</source>
        <translation>&amp;Down</translation>
    </message>
    <message>
        <source>次を検索(&amp;F)</source>
        <translation>&amp;Find Next</translation>
    </message>
    <message>
        <source>置換</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>置換後の文字列(&amp;P):</source>
        <translation>Re&amp;place with:</translation>
    </message>
    <message>
        <source>置換して次に(&amp;R)</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <source>すべて置換(&amp;A)</source>
        <translation>Replace &amp;All</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>「%1」(U+%2)</source>
        <translation>&quot;%1&quot; (U+%2)</translation>
    </message>
    <message>
        <source>検索する文字列の次の文字はShift_JISで表せないため、検索できません。</source>
        <translation>The following characters of the search text cannot be represented in Shift_JIS, so the search cannot be made.</translation>
    </message>
    <message>
        <source>検索する文字列の次の文字はShift_JISで表せないため、置換できません。</source>
        <translation>The following characters of the search text cannot be represented in Shift_JIS, so the replacement cannot be made.</translation>
    </message>
    <message>
        <source>置換後の文字列の次の文字はShift_JISで表せないため、置換できません。</source>
        <translation>The following characters of the replacement text cannot be represented in Shift_JIS, so the replacement cannot be made.</translation>
    </message>
    <message>
        <source>%1 件置換しました。</source>
        <translation>%1 occurrence(s) replaced.</translation>
    </message>
    <message>
        <source>ファイルレコードの追加</source>
        <translation>Insert File Record</translation>
    </message>
    <message>
        <source>追加するレコードの位置</source>
        <translation>Position of the new record</translation>
    </message>
    <message>
        <source>フィルタ</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>リスト更新</source>
        <translation>Refresh List</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>更新日時</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>ディレクトリは変換セットの設定で変更できます</source>
        <translation>The folder can be changed in the conversion set settings</translation>
    </message>
    <message>
        <source>パートＩＤ</source>
        <translation>Part ID</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>変換セットの設定で指定されたHTMLファイルの基準ディレクトリが開けません。
基準ディレクトリが存在し、アクセスできる状態にあるか確認してください。</source>
        <translation>The base folder of the HTML files given in the conversion set settings cannot be opened.
Check that the folder exists and can be accessed.</translation>
    </message>
    <message>
        <source>ディレクトリ設定エラー</source>
        <translation>Folder Setting Error</translation>
    </message>
    <message>
        <source>「%1」は正しい整数ではありません。</source>
        <translation>&quot;%1&quot; is not a valid integer.</translation>
    </message>
    <message>
        <source>ファイルレコードを書き込む列が表にありません。
変換テーブルファイルを読み込んでください。</source>
        <translation>The table has no column to hold the file record.
Please load the conversion table file.</translation>
    </message>
    <message>
        <source>予期しないエラーが発生しました。</source>
        <translation>An unexpected error occurred.</translation>
    </message>
    <message>
        <source>このセットは別のプログラムが変換中です。
その変換が終わるまで、このセットは変換できません。</source>
        <translation>Another program is converting this set.
This set cannot be converted until that conversion ends.</translation>
    </message>
    <message>
        <source>このセットは別のプログラムが変換中です（%1）。
その変換が終わるまで、このセットは変換できません。</source>
        <translation>Another program is converting this set (%1).
This set cannot be converted until that conversion ends.</translation>
    </message>
    <message>
        <source>%1行 %2列目 / %3行 %4列</source>
        <translation>Row %1, col %2 (%3 × %4)</translation>
    </message>
    <message>
        <source>ファイルレコード</source>
        <translation>File record</translation>
    </message>
    <message>
        <source>レコード識別コード</source>
        <translation>Record code</translation>
    </message>
    <message>
        <source>何も入力しないでください</source>
        <translation>Leave this cell empty</translation>
    </message>
    <message>
        <source>通常レコード</source>
        <translation>Normal record</translation>
    </message>
    <message>
        <source>%1 への変更を保存しますか？</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>項目データファイルが変更されました。
セットファイルを更新しますか？</source>
        <translation>The item data file has changed.
Update the set file?</translation>
    </message>
    <message>
        <source>項目データファイル変更</source>
        <translation>Item Data File Changed</translation>
    </message>
    <message>
        <source>セットファイル(&amp;S)</source>
        <translation>&amp;Set File</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)...</source>
        <translation>&amp;New...</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Lexicanaの終了(&amp;X)</source>
        <translation>E&amp;xit Lexicana</translation>
    </message>
    <message>
        <source>データファイル(&amp;D)</source>
        <translation>&amp;Data File</translation>
    </message>
    <message>
        <source>表のレコード数変更(&amp;S)...</source>
        <translation>C&amp;hange Number of Records...</translation>
    </message>
    <message>
        <source>レコード数のカウント(&amp;C)</source>
        <translation>&amp;Count Records</translation>
    </message>
    <message>
        <source>変換(&amp;C)</source>
        <translation>&amp;Convert</translation>
    </message>
    <message>
        <source>変換セットの設定(&amp;S)...</source>
        <translation>Conversion &amp;Set Settings...</translation>
    </message>
    <message>
        <source>外部出力ファイルリストの編集(&amp;I)...</source>
        <translation>Edit External Output File L&amp;ist...</translation>
    </message>
    <message>
        <source>変換テーブルファイルの編集(&amp;T)</source>
        <translation>Edit Conversion &amp;Table File</translation>
    </message>
    <message>
        <source>変換テーブルファイルの再読み込み(&amp;R)</source>
        <translation>&amp;Reload Conversion Table File</translation>
    </message>
    <message>
        <source>変換開始(&amp;G)</source>
        <translation>Start Con&amp;version</translation>
    </message>
    <message>
        <source>選択中のパートだけを変換(&amp;P)</source>
        <translation>Convert Selected &amp;Part Only</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>全て選択(&amp;S)</source>
        <translation>&amp;Select All</translation>
    </message>
    <message>
        <source>単一セル内を検索(&amp;F)...</source>
        <translation>&amp;Find in Current Cell...</translation>
    </message>
    <message>
        <source>全セル内を検索(&amp;M)...</source>
        <translation>Find in &amp;Every Cell...</translation>
    </message>
    <message>
        <source>単一セル内を置換(&amp;R)...</source>
        <translation>&amp;Replace in Current Cell...</translation>
    </message>
    <message>
        <source>全セル内を置換(&amp;A)...</source>
        <translation>Replace in E&amp;very Cell...</translation>
    </message>
    <message>
        <source>表示/ツールバー(&amp;O)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>オプション設定(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>再描画(&amp;R)</source>
        <translation>&amp;Redraw</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>HTMLヘルプ(&amp;H)</source>
        <translation>HTML &amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About Lexicana...</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>全て選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>レコード操作</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>現在の位置に空きレコードを追加(&amp;I)</source>
        <translation>&amp;Insert Empty Record Here</translation>
    </message>
    <message>
        <source>現在の次の位置に空きレコードを追加(&amp;N)</source>
        <translation>Insert Empty Record &amp;Next</translation>
    </message>
    <message>
        <source>ファイルレコードを追加(&amp;F)...</source>
        <translation>Insert &amp;File Record...</translation>
    </message>
    <message>
        <source>現在のレコードを削除(&amp;D)</source>
        <translation>&amp;Delete Current Record</translation>
    </message>
    <message>
        <source>HTMLエディタで開く(&amp;H)</source>
        <translation>Open in &amp;HTML Editor</translation>
    </message>
    <message>
        <source>Lexicanaタグをコピー(&amp;W)</source>
        <translation>Copy Lexicana &amp;Tag</translation>
    </message>
    <message>
        <source>このパートだけを変換(&amp;C)</source>
        <translation>&amp;Convert This Part Only</translation>
    </message>
    <message>
        <source>セットファイル</source>
        <translation>Set File</translation>
    </message>
    <message>
        <source>セットファイルの新規作成</source>
        <translation>New Set File</translation>
    </message>
    <message>
        <source>セットファイルを開く</source>
        <translation>Open Set File</translation>
    </message>
    <message>
        <source>セットファイルの上書き保存</source>
        <translation>Save Set File</translation>
    </message>
    <message>
        <source>データファイル</source>
        <translation>Data File</translation>
    </message>
    <message>
        <source>項目データファイルの新規作成</source>
        <translation>New Item Data File</translation>
    </message>
    <message>
        <source>項目データファイルを開く</source>
        <translation>Open Item Data File</translation>
    </message>
    <message>
        <source>項目データファイルの上書き保存</source>
        <translation>Save Item Data File</translation>
    </message>
    <message>
        <source>変換開始</source>
        <translation>Start Conversion</translation>
    </message>
    <message>
        <source>ファイルレコードがひとつもありません</source>
        <translation>There are no file records</translation>
    </message>
    <message>
        <source>ファイルレコード	%1
通常レコード	%2</source>
        <translation>File records	%1
Normal records	%2</translation>
    </message>
    <message>
        <source>レコード数カウント結果</source>
        <translation>Record Count</translation>
    </message>
    <message>
        <source>表のレコード数を変更</source>
        <translation>Change Number of Records</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>レコード（データ）</source>
        <translation>Number of records (data)</translation>
    </message>
    <message>
        <source>行</source>
        <translation>rows</translation>
    </message>
    <message>
        <source>レコード数には%1から%2までの整数を指定してください。</source>
        <translation>Please enter an integer from %1 to %2 as the number of records.</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>再試行(&amp;R)</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>エラー発生場所 : %1<byte value="xd"/>
エラーの種類 : %2</source>
        <translation>Location: %1<byte value="xd"/>
Error: %2</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>次の文字はShift_JISで表せないため入力できません。<byte value="xd"/>
</source>
        <translation>The following characters cannot be represented in Shift_JIS, so they cannot be entered.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ファイルレコードの重複があります。
レコード%1と、レコード%2の内容が重複しています。</source>
        <translation>There are duplicate file records.
Records %1 and %2 have the same content.</translation>
    </message>
    <message>
        <source>変わるページ: %1、最新のページ: %2</source>
        <translation>Pages to change: %1, up-to-date pages: %2</translation>
    </message>
    <message>
        <source>書き換えたページ: %1、変更のなかったページ: %2</source>
        <translation>Pages rewritten: %1, pages unchanged: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は有効な整数値ではありません</source>
        <translation>&apos;%1&apos; is not a valid integer</translation>
    </message>
    <message>
        <source>[Column] の Count の値 %1 が大きすぎます（上限 %2）</source>
        <translation>The Count value %1 of [Column] is too large (the limit is %2)</translation>
    </message>
    <message>
        <source>[Width] の列番号 %1 はグリッドの列の範囲（0～%2）外です</source>
        <translation>The column number %1 of [Width] is outside the grid&apos;s columns (0 to %2)</translation>
    </message>
    <message>
        <source>メモリが足りません</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>履歴を保存できません</source>
        <translation>The history cannot be saved</translation>
    </message>
    <message>
        <source>テキストエディタを実行できませんでした。
オプション設定のテキストエディタの設定を確認してください。</source>
        <translation>The text editor could not be started.
Check the text editor in the options.</translation>
    </message>
    <message>
        <source>最後まで検索を行いました。
最初から検索を続けますか？</source>
        <translation>The search reached the end.
Continue from the beginning?</translation>
    </message>
    <message>
        <source>検索終了</source>
        <translation>Search Finished</translation>
    </message>
    <message>
        <source>フォルダーはファイルとして読み込めません : </source>
        <translation>A folder cannot be read as a file: </translation>
    </message>
    <message>
        <source>ファイルが見つかりません : </source>
        <translation>File not found: </translation>
    </message>
    <message>
        <source>ファイルを読み込めません : </source>
        <translation>Cannot read the file: </translation>
    </message>
    <message>
        <source>項目データファイルの %1 行目は列が多すぎます（データ列の上限 %2） : %3</source>
        <translation>Line %1 of the item data file has too many columns (at most %2 data columns): %3</translation>
    </message>
    <message>
        <source>変換テーブルファイルが指定されていないため変換できません。
セットファイルを開くか、変換セットの設定でテーブルファイルを指定してください。</source>
        <translation>No conversion table file is set, so nothing can be converted.
Open a set file, or set the table file in the conversion set settings.</translation>
    </message>
    <message>
        <source>セットファイル &quot;%1&quot; は別のプログラムが変換中です。
その変換が終わってから、もう一度変換してください。</source>
        <translation>Another program is converting the set file &quot;%1&quot;.
Please convert again once that conversion has ended.</translation>
    </message>
    <message>
        <source>セットファイル &quot;%1&quot; は別のプログラムが変換中です（%2）。
その変換が終わってから、もう一度変換してください。</source>
        <translation>Another program is converting the set file &quot;%1&quot; (%2).
Please convert again once that conversion has ended.</translation>
    </message>
    <message>
        <source>ファイルレコードがここより前に存在しないため変換できません。</source>
        <translation>There is no file record before this point, so nothing can be converted.</translation>
    </message>
    <message>
        <source>外部出力ファイルリスト(&quot;%1&quot;)が読み出せません。
ファイル名が違っていないかを確認してください。</source>
        <translation>The external output file list (&quot;%1&quot;) cannot be read.
Check that the file name is correct.</translation>
    </message>
    <message>
        <source>テーブルファイルが正しい形式ではありません</source>
        <translation>The table file is not in the correct format</translation>
    </message>
    <message>
        <source>HTMLファイルの書き換えが正常に終了しました。</source>
        <translation>The HTML files were rewritten successfully.</translation>
    </message>
    <message>
        <source>完了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>HTML書き換えを中断しました。</source>
        <translation>Rewriting the HTML files was stopped.</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>項目データファイルの種類が不正です : </source>
        <translation>Invalid kind of item data file: </translation>
    </message>
    <message>
        <source>セットファイル &quot;%1&quot; を開けません。</source>
        <translation>Cannot open the set file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>csvキーの値がありません</source>
        <translation>The csv key has no value</translation>
    </message>
    <message>
        <source>ctbキーの値がありません</source>
        <translation>The ctb key has no value</translation>
    </message>
    <message>
        <source>セットファイル &quot;%1&quot; を保存できませんでした。</source>
        <translation>The set file &quot;%1&quot; could not be saved.</translation>
    </message>
    <message>
        <source>テーブルファイルの読み込みに失敗しました。
エラー内容 : ファイル &quot;%1&quot; を開けません。</source>
        <translation>The table file could not be read.
Reason: cannot open the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>テーブルファイル読み込みエラー</source>
        <translation>Table File Read Error</translation>
    </message>
    <message>
        <source>外部出力ファイル(&quot;%1&quot;)はHTMLフォルダの外にあるため、出力フォルダには書き出せません。</source>
        <translation>The external output file (&quot;%1&quot;) is outside the HTML folder, so it cannot be written to the output folder.</translation>
    </message>
    <message>
        <source>HTMLファイル(&quot;%1&quot;)が読み出せません。
ファイル名が違っていないかを確認してください。</source>
        <translation>The HTML file (&quot;%1&quot;) cannot be read.
Check that the file name is correct.</translation>
    </message>
    <message>
        <source>HTMLファイル(&quot;%1&quot;)に書き出せません。
書込み禁止になっていないか、
ディスク容量に余裕があるかを確認してください。</source>
        <translation>Cannot write to the HTML file (&quot;%1&quot;).
Check that it is not write-protected
and that there is enough disk space.</translation>
    </message>
    <message>
        <source>外部出力ファイル(&quot;%1&quot;)が読み出せません。
ファイル名が違っていないかを確認してください。</source>
        <translation>The external output file (&quot;%1&quot;) cannot be read.
Check that the file name is correct.</translation>
    </message>
    <message>
        <source>外部出力ファイル(&quot;%1&quot;)に書き出せません。
書込み禁止になっていないか、
ディスク容量に余裕があるかを確認してください。</source>
        <translation>Cannot write to the external output file (&quot;%1&quot;).
Check that it is not write-protected
and that there is enough disk space.</translation>
    </message>
    <message>
        <source>HTMLファイル(&quot;%1&quot;)に
Lexicanaパートの開始タグが見つかりません</source>
        <translation>The start tag of the Lexicana part was not found
in the HTML file (&quot;%1&quot;)</translation>
    </message>
    <message>
        <source>HTMLファイル(&quot;%1&quot;)に
Lexicanaパートの終了タグが見つかりません</source>
        <translation>The end tag of the Lexicana part was not found
in the HTML file (&quot;%1&quot;)</translation>
    </message>
    <message>
        <source>予期しないエラーです</source>
        <translation>Unexpected error</translation>
    </message>
    <message>
        <source>HTMLファイルの作成中にLexicanaタグのずれが検出されました。
このパートの書き出しを再実行しますか？
（「いいえ」を選択した場合このパートをスキップします。）</source>
        <translation>The Lexicana tags moved while the HTML file was being written.
Write this part again?
(Choosing &quot;No&quot; skips this part.)</translation>
    </message>
    <message>
        <source>HTMLファイル(&quot;%1&quot;)はHTMLフォルダの外にあるため、出力フォルダには書き出せません。</source>
        <translation>The HTML file (&quot;%1&quot;) is outside the HTML folder, so it cannot be written to the output folder.</translation>
    </message>
    <message>
        <source>再実行の確認</source>
        <translation>Confirm Retry</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（読み込めるのは 512 MB まで）</source>
        <translation>The file is too large (at most 512 MB can be read)</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>ファイルを書き込み用に開けません</source>
        <translation>Cannot open the file for writing</translation>
    </message>
    <message>
        <source>ファイルに書き込めません</source>
        <translation>Cannot write to the file</translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>Cannot read the file</translation>
    </message>
    <message>
        <source>フォルダーには書き込めません</source>
        <translation>Cannot write to a folder</translation>
    </message>
    <message>
        <source>読み取り専用のファイルには書き込めません</source>
        <translation>Cannot write to a read-only file</translation>
    </message>
    <message>
        <source>ファイルを保存できません</source>
        <translation>Cannot save the file</translation>
    </message>
    <message>
        <source>設定の場所が正しくありません: </source>
        <translation>Invalid settings location: </translation>
    </message>
    <message>
        <source>設定ファイルの形式が正しくありません</source>
        <translation>The settings file is not in the correct format</translation>
    </message>
    <message>
        <source>設定ファイルにアクセスできません</source>
        <translation>The settings file cannot be accessed</translation>
    </message>
    <message>
        <source>設定値 %1 がありません</source>
        <translation>The setting %1 is missing</translation>
    </message>
    <message>
        <source>設定キーがありません: </source>
        <translation>Settings key not found: </translation>
    </message>
    <message>
        <source>設定値 %1 が文字列ではありません</source>
        <translation>The setting %1 is not a string</translation>
    </message>
    <message>
        <source>設定値 %1 にShift_JISで表せない文字があります: %2</source>
        <translation>The setting %1 holds characters that Shift_JIS cannot represent: %2</translation>
    </message>
    <message>
        <source>設定値 %1 が整数ではありません</source>
        <translation>The setting %1 is not an integer</translation>
    </message>
    <message>
        <source>行 %1: </source>
        <translation>Row %1: </translation>
    </message>
    <message>
        <source>語「%1」は行 %2 の語と同じです。リンクは行 %2 にだけ張られます。</source>
        <translation>The word &quot;%1&quot; is the same as the word of row %2. Links go to row %2 only.</translation>
    </message>
    <message>
        <source>語「%1」は行 %2 の「%3」の中ではリンクされません。</source>
        <translation>The word &quot;%1&quot; is not linked inside &quot;%3&quot; of row %2.</translation>
    </message>
    <message>
        <source>語「%1」は行 %2 の「%3」など %4 語の中ではリンクされません。</source>
        <translation>The word &quot;%1&quot; is not linked inside %4 words, such as &quot;%3&quot; of row %2.</translation>
    </message>
    <message>
        <source>語「%1」にはどの記録からもリンクが張られません。</source>
        <translation>No record links to the word &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>リンクする語が空です。</source>
        <translation>The word to link is empty.</translation>
    </message>
    <message>
        <source>リンク名が空です。</source>
        <translation>The link name is empty.</translation>
    </message>
    <message>
        <source>リンク名「%1」はページ「%2」の行 %3 と同じです。</source>
        <translation>The link name &quot;%1&quot; is the same as that of row %3 on the page &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>ページ「%1」が読めません（ないか、開けません）。</source>
        <translation>The page &quot;%1&quot; cannot be read (it is missing or cannot be opened).</translation>
    </message>
    <message>
        <source>ページ「%1」に印「%2」がありません。</source>
        <translation>The page &quot;%1&quot; has no marker &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>中断を受け付けました。次の確認点で変換を止めます (もう一度押すとすぐに終了します)。</source>
        <translation>Interrupt received. The conversion stops at the next checkpoint (press again to quit at once).</translation>
    </message>
    <message>
        <source>--output のフォルダ名に Shift_JIS で表せない文字があります: %1</source>
        <translation>the --output folder name has characters that Shift_JIS cannot represent: %1</translation>
    </message>
    <message>
        <source>--output のフォルダが HTML フォルダの中にあります: %1</source>
        <translation>the --output folder is inside the HTML folder: %1</translation>
    </message>
    <message>
        <source>用語の検査: %1 件</source>
        <translation>Term check: %1 finding(s)</translation>
    </message>
    <message>
        <source>セットを読めませんでした。ファイルが直るのを待ちます。</source>
        <translation>The set could not be read. Waiting for the files to be fixed.</translation>
    </message>
    <message>
        <source>行 %1 はありません (レコードは 1 から %2 まで)</source>
        <translation>there is no row %1 (the records are rows 1 to %2)</translation>
    </message>
    <message>
        <source>変換が結果コード %1 で終わりました。</source>
        <translation>the conversion ended with result code %1.</translation>
    </message>
    <message>
        <source>スキップしたパート: %1</source>
        <translation>Parts skipped: %1</translation>
    </message>
    <message>
        <source>変換は終了しませんでした</source>
        <translation>The conversion did not finish</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>セットファイル名に Shift_JIS で表せない文字があります: %1</source>
        <translation>the set file name has characters that Shift_JIS cannot represent: %1</translation>
    </message>
    <message>
        <source>lexicana-convert --help で使い方を表示します。</source>
        <translation>Run lexicana-convert --help for usage.</translation>
    </message>
    <message>
        <source>不明なオプションです: </source>
        <translation>unknown option: </translation>
    </message>
    <message>
        <source>%1 には値が必要です</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>--part の値は 1 以上の行番号です: </source>
        <translation>the value of --part is a row number of 1 or more: </translation>
    </message>
    <message>
        <source>--lock-wait の値は 0 から 86400 までの秒数です: </source>
        <translation>the value of --lock-wait is a number of seconds from 0 to 86400: </translation>
    </message>
    <message>
        <source>--output にはフォルダを指定してください</source>
        <translation>--output needs a folder</translation>
    </message>
    <message>
        <source>--newline の値は crlf, cr, lf, auto のどれかです: </source>
        <translation>the value of --newline is one of crlf, cr, lf, auto: </translation>
    </message>
    <message>
        <source>セットファイルを指定してください</source>
        <translation>please give a set file</translation>
    </message>
    <message>
        <source>セットファイルはひとつだけ指定できます</source>
        <translation>only one set file can be given</translation>
    </message>
    <message>
        <source>--watch は --check や --part と同時に指定できません</source>
        <translation>--watch cannot be combined with --check or --part</translation>
    </message>
    <message>
        <source>--check-terms は --check, --diff, --output, --watch, --part と同時に指定できません</source>
        <translation>--check-terms cannot be combined with --check, --diff, --output, --watch or --part</translation>
    </message>
    <message>
        <source>--check と --output は同時に指定できません</source>
        <translation>--check and --output cannot be combined</translation>
    </message>
    <message>
        <source>準備中</source>
        <translation>preparing</translation>
    </message>
    <message>
        <source>変換中 </source>
        <translation>Converting </translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>再試行</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>いいえ: このパートをスキップします (ページは変更しません)。</source>
        <translation>No: this part is skipped (the page is not changed).</translation>
    </message>
    <message>
        <source>%1 (対話できないため)</source>
        <translation>%1 (no one to ask)</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>表示言語（次回の起動から）</source>
        <translation>Interface language (from the next start)</translation>
    </message>
    <message>
        <source>システムの言語に合わせる</source>
        <translation>Follow the system language</translation>
    </message>
    <message>
        <source>用語の検査(&amp;K)...</source>
        <translation>Chec&amp;k Terms...</translation>
    </message>
    <message>
        <source>用語の検査</source>
        <translation>Check Terms</translation>
    </message>
    <message>
        <source>問題は見つかりませんでした。</source>
        <translation>No problems were found.</translation>
    </message>
    <message>
        <source>見つかった問題: %1 件（ダブルクリックでそのレコードを選択します）</source>
        <translation>Problems found: %1 (double-click one to select its record)</translation>
    </message>
    <message>
        <source>プレビュー(&amp;V)</source>
        <translation>Pre&amp;view</translation>
    </message>
    <message>
        <source>リンクの一覧を作れませんでした。</source>
        <translation>The list of links could not be made.</translation>
    </message>
    <message>
        <source>変換中はプレビューを表示しません。</source>
        <translation>No preview is shown while a conversion runs.</translation>
    </message>
    <message>
        <source>変換テーブルが読み込まれていないため、プレビューを表示できません。</source>
        <translation>No preview can be shown because no conversion table has been read.</translation>
    </message>
    <message>
        <source>このレコードは最初のファイルレコードより前にあるため、変換されません。</source>
        <translation>This record comes before the first file record, so it is not converted.</translation>
    </message>
    <message>
        <source>プレビューを作れませんでした。</source>
        <translation>The preview could not be made.</translation>
    </message>
    <message>
        <source>ページ %1 のパート「%2」の先頭</source>
        <translation>Head of part &quot;%2&quot; of page %1</translation>
    </message>
    <message>
        <source>すべて置換</source>
        <translation>Replace All</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>元に戻す: %1(&amp;U)</source>
        <translation>&amp;Undo: %1</translation>
    </message>
    <message>
        <source>やり直し: %1(&amp;R)</source>
        <translation>&amp;Redo: %1</translation>
    </message>
    <message>
        <source>セルの編集</source>
        <translation>Cell Edit</translation>
    </message>
    <message>
        <source>並べ替え</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>行の移動</source>
        <translation>Row Move</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>レコードの追加</source>
        <translation>Insert Record</translation>
    </message>
    <message>
        <source>レコード%1を本当に削除してもいいですか？</source>
        <translation>Do you really want to delete record %1?</translation>
    </message>
    <message>
        <source>レコードの削除</source>
        <translation>Delete Record</translation>
    </message>
    <message>
        <source>レコード数の変更</source>
        <translation>Record Count Change</translation>
    </message>
    <message>
        <source>レコードの変更を元に戻すための履歴が使うメモリの上限です。超えると古い変更から忘れます。</source>
        <translation>The most memory the history of record changes may use; beyond it the oldest changes are forgotten.</translation>
    </message>
    <message>
        <source>元に戻す履歴の上限</source>
        <translation>Undo history limit</translation>
    </message>
    <message>
        <source>--kanji の値は sjis, jis, euc, utf8, auto のどれかです: </source>
        <translation>the value of --kanji is one of sjis, jis, euc, utf8, auto: </translation>
    </message>
    <message>
        <source>使い方: lexicana-convert [オプション] セットファイル

セットファイル (.lxs) の変換を、ウィンドウを開かずに実行します。

  --part ROW              グリッドの行 ROW を含むパートだけを変換する
  --kanji sjis|jis|euc|utf8|auto
                          出力する漢字コード (auto: ページで検出したもの)
  --newline crlf|cr|lf|auto
                          出力する改行コード (auto: ページで検出したもの)
  --check                 何も書き込まずに変換し、変わるページを標準出力に
                          表示する (変わるページがあれば終了コード 1)
  --check-terms           変換せずに用語を検査し、見つかった問題を一行ずつ
                          標準出力に表示する (問題があれば終了コード 1)
  --diff                  変わるページごとに unified diff を標準出力に表示する
  --output DIR            変わるページと外部出力ファイルを、同じ相対名で
                          DIR の下に書き出す (元のファイルは変更しない)
  --quiet                 エラー以外は何も表示しない
  --json                  終了時に結果を JSON で標準出力に表示する
  --watch                 項目データ、変換テーブル、セットファイル、外部出力
                          ファイルリストが変わるたびに変換し直す (Ctrl+C で終了)
  --lock-wait SECONDS     同じセットを別のプログラムが変換中のとき、終わるのを
                          待つ秒数 (既定 30、0 は待たずに終了コード 1)
  --no-cache              前回の実行の記録を使わず、いつもすべて変換して比べる
  -h, --help              この説明を表示する
  -v, --version           バージョンを表示する

--kanji と --newline を指定しないときは、設定に保存されたオプションを使います。
コマンドラインからの実行は設定を書き換えません。
メッセージは標準エラー出力に出ます。再実行の確認には「いいえ」と答え、
そのパートをスキップします。Ctrl+C で変換を中断します (ページは常に
変換前か変換後のどちらかの状態です)。SOURCE_DATE_EPOCH が設定されていれば
その時刻を日付と時刻に使います。

内容が変わらないページと外部出力ファイルは書き換えません (時刻もそのまま)。
--check は外部出力ファイルを判定に含めません (日付と時刻は実行のたびに変わるため)。
前回の実行から何も変わっていないセットの変換と --check には、ユーザーの
キャッシュフォルダにあるその実行の記録から、同じ結果をすぐに答えます。

終了コード: 0 変換が正常に終了した (--check: すべて最新, --check-terms: 問題なし),
            1 中断または失敗 (--check: 変わるページがある, --check-terms: 問題がある),
            2 使い方の誤りまたはセットファイルを読めない
</source>
        <translation>Usage: lexicana-convert [OPTION]... SETFILE

Converts a set file (.lxs) without opening a window.

  --part ROW              convert only the part that holds grid row ROW
  --kanji sjis|jis|euc|utf8|auto
                          character code of the output (auto: as found in
                          each page)
  --newline crlf|cr|lf|auto
                          line ends of the output (auto: as found in each page)
  --check                 convert without writing anything and list the pages
                          that would change on standard output (exit code 1
                          when a page would change)
  --check-terms           check the terms without converting and list each
                          problem found on a line of standard output (exit
                          code 1 when there is one)
  --diff                  show a unified diff of each page that would change
                          on standard output
  --output DIR            write the changed pages and external output files
                          under DIR with the same relative names (the original
                          files are not changed)
  --quiet                 show nothing but errors
  --json                  show the result as JSON on standard output at the end
  --watch                 convert again whenever the item data, the conversion
                          table, the set file or the external output file list
                          changes (Ctrl+C ends it)
  --lock-wait SECONDS     how long to wait while another program converts the
                          same set (default 30; 0 exits with code 1 at once)
  --no-cache              never answer from the record of the last run: always
                          convert and compare everything
  -h, --help              show this help
  -v, --version           show the version

Without --kanji and --newline, the options stored in the settings are used.
A command-line run never changes the settings.
Messages go to standard error. The question whether to write a part again
is answered &quot;No&quot;, which skips that part. Ctrl+C stops the conversion (every
page is always either as it was before or as it is after the conversion).
When SOURCE_DATE_EPOCH is set, that time is used for the date and time.

Pages and external output files whose content does not change are not
rewritten (their times stay as they are). --check leaves the external output
files out of its verdict (their date and time change with every run).
A conversion or --check of a set in which nothing changed since its last run
is answered at once, with the same result, from the record of that run in the
user&apos;s cache folder.

Exit codes: 0 the conversion finished (--check: all up to date,
              --check-terms: no problems),
            1 stopped or failed (--check: a page would change,
              --check-terms: problems found),
            2 wrong usage, or the set file cannot be read
</translation>
    </message>
    <message>
        <source>「%1」: %2 文字を数値文字参照で書き込みました。</source>
        <translation>&quot;%1&quot;: %2 characters written as numeric character references.</translation>
    </message>
    <message>
        <source>新規作成する項目データをUTF-8にする</source>
        <translation>Create new item data in UTF-8</translation>
    </message>
    <message>
        <source>オフのときはShift_JISです。開いたファイルは、読み込んだときの文字コードで保存します。</source>
        <translation>When off, new item data are Shift_JIS. An opened file is always saved in the code it was read in.</translation>
    </message>
    <message>
        <source>CSV形式(*.csv)|*.csv|全てのファイル(*.*)|*.*|CSV形式 UTF-8(*.csv)|*.csv|全てのファイル UTF-8(*.*)|*.*</source>
        <translation>CSV files (*.csv)|*.csv|All files (*.*)|*.*|CSV files, UTF-8 (*.csv)|*.csv|All files, UTF-8 (*.*)|*.*</translation>
    </message>
    <message>
        <source>項目データファイルを「名前を付けて保存」でUTF-8の形式にすると、これらの文字も使えます。</source>
        <translation>Saving the item data file in UTF-8 (Save As, a UTF-8 file type) keeps these characters too.</translation>
    </message>
    <message>
        <source>次の文字は%1で表せないため保存できません。<byte value="xd"/>
%2</source>
        <translation>The following characters cannot be saved because %1 has no code for them:<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>レコード : %1</source>
        <translation>Records: %1</translation>
    </message>
    <message>
        <source>%1 行目の文字「%2」は%3で表せません。</source>
        <translation>Line %1: the character &quot;%2&quot; has no code in %3.</translation>
    </message>
</context>
</TS>
