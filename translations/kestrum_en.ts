<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Desktop</name>
    <message>
        <source>保存到类别目录</source>
        <translation>Save to folders</translation>
    </message>
    <message>
        <source>不保存，退出</source>
        <translation>Exit without saving</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>FileViewer</name>
    <message>
        <source>（这个 RTF 文件的格式太多，下面只显示文字，不显示格式。）
</source>
        <translation>(This RTF file has too much formatting: only its text is shown below.)
</translation>
    </message>
    <message>
        <source>—— 文件较大，这里只显示了第 %1 到 %2 MB。点这里显示下一部分 ——</source>
        <translation>—— A large file: only %1 to %2 MB is shown. Click here for the next part ——</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>读取IP错误:</source>
        <translation>Cannot read the IP address: </translation>
    </message>
    <message>
        <source>你的IP是:</source>
        <translation>Your IP address: </translation>
    </message>
    <message>
        <source>“%s”里从 .txt 到 (1000).txt 的文件名都已经有了。为了不覆盖任何文件，这次的文字没有保存。</source>
        <translation>“%s” already holds every file name from .txt to (1000).txt. The text was not saved, so that no file is overwritten.</translation>
    </message>
    <message>
        <source>已经保存在</source>
        <translation>Saved in </translation>
    </message>
    <message>
        <source>保存目录是</source>
        <translation>  Folder: </translation>
    </message>
    <message>
        <source>这是</source>
        <translation>Category </translation>
    </message>
    <message>
        <source>类别名“%s”不能用：类别名不能为空，不能是“.”或“..”，也不能含有“/”、“=”、换行或空字符。</source>
        <translation>The category name “%s” cannot be used: a name must not be empty, “.” or “..”, nor hold “/”, “=”, line breaks or NUL characters.</translation>
    </message>
    <message>
        <source>类别名“%s”不能用：类别名的开头和结尾不能是空格。</source>
        <translation>The category name “%s” cannot be used: a name must not begin or end with a space.</translation>
    </message>
    <message>
        <source>文件夹“%s”不能用：文件夹名不能含有换行或空字符。</source>
        <translation>The folder “%s” cannot be used: a folder name must not hold line breaks or NUL characters.</translation>
    </message>
    <message>
        <source>文件夹“%s”不能用：文件夹名的开头和结尾不能是空格。</source>
        <translation>The folder “%s” cannot be used: a folder name must not begin or end with a space.</translation>
    </message>
    <message>
        <source>无法建立临时文件夹 %s</source>
        <translation>Cannot create the temporary folder %s</translation>
    </message>
    <message>
        <source>临时文件夹 %s 不是文件夹（也许是一个链接），为了安全不使用它</source>
        <translation>The temporary folder %s is not a folder (perhaps a link); for safety it is not used</translation>
    </message>
    <message>
        <source>临时文件夹 %s 属于别的用户，为了安全不使用它</source>
        <translation>The temporary folder %s belongs to another user; for safety it is not used</translation>
    </message>
    <message>
        <source>无法把临时文件夹 %s 设为私有</source>
        <translation>Cannot make the temporary folder %s private</translation>
    </message>
    <message>
        <source>。这次运行改用临时文件夹 </source>
        <translation>. This run uses the temporary folder </translation>
    </message>
    <message>
        <source>设置项的名称不能为空，不能含有换行、“=”或“]”，不能以“[”或“;”开头，开头和结尾也不能是空格：%s</source>
        <translation>A setting&apos;s name must not be empty, hold a line break, “=” or “]”, begin with “[” or “;”, or begin or end with a space: %s</translation>
    </message>
    <message>
        <source>设置值只能是一行文字：%s</source>
        <translation>A setting&apos;s value must be a single line: %s</translation>
    </message>
    <message>
        <source>无法建立工作文件夹 %s</source>
        <translation>Cannot create the working folder %s</translation>
    </message>
    <message>
        <source>“%s”不是普通文件（是管道、设备或文件夹），不能读取。</source>
        <translation>“%s” is not a regular file (but a pipe, a device or a folder) and cannot be read.</translation>
    </message>
    <message>
        <source>每行字数不能是负数：%s</source>
        <translation>Characters per line cannot be negative: %s</translation>
    </message>
    <message>
        <source>请输入要搜索的文字。</source>
        <translation>Please type the text to search for.</translation>
    </message>
    <message>
        <source>这是文字和软件拖存窗口</source>
        <translation>Drop text and download links here to save them</translation>
    </message>
    <message>
        <source>这是自动保存的锁定钮</source>
        <translation>The auto-save lock</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>文字和下载链接粘贴</source>
        <translation>Paste text or link</translation>
    </message>
    <message>
        <source>程序换肤</source>
        <translation>Skins</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>以下类别的临时文件中有没有保存过的文字，退出时将被删除：</source>
        <translation>These categories&apos; working files hold text that was never saved; it is deleted on exit:</translation>
    </message>
    <message>
        <source>

要把它们保存到各自的类别目录吗？</source>
        <translation>

Save it into each category&apos;s folder?</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>?subject=Kestrum用户的来信</source>
        <translation>?subject=From a Kestrum user</translation>
    </message>
    <message>
        <source>警告：如果文本合并过多，请耐心等待！</source>
        <translation>Note: merging many files may take a while.</translation>
    </message>
    <message>
        <source>单击看文件内容。</source>
        <translation>Click a file to see its text.</translation>
    </message>
    <message>
        <source>新建或更改后请按“确认”！</source>
        <translation>After a new entry or a change, press “Confirm”!</translation>
    </message>
    <message>
        <source>找不到帮助文件：程序文件夹里没有 tuckpad.chm，使用手册 %1 也不在。</source>
        <translation>No help file: the program folder has no tuckpad.chm, and the manual %1 is missing.</translation>
    </message>
    <message>
        <source>没有可以打开 %1 的程序。
请安装桌面的打开程序（xdg-utils 的 xdg-open）后再试。</source>
        <translation>No program can open %1.
Install the desktop&apos;s opener (xdg-open from xdg-utils) and try again.</translation>
    </message>
    <message>
        <source>请输入新名或新目录后按“确认”。</source>
        <translation>Type a new name or folder, then press “Confirm”.</translation>
    </message>
    <message>
        <source>这是</source>
        <translation>Category </translation>
    </message>
    <message>
        <source>  保存目录是</source>
        <translation>  Folder: </translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>此类别的目录已经被取消，请重新确定。</source>
        <translation>This category&apos;s folder is gone; please choose it again.</translation>
    </message>
    <message>
        <source>更改类别：</source>
        <translation>Rename:</translation>
    </message>
    <message>
        <source>更改目录：</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>类别：</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>默认目录：</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>新建类别：</source>
        <translation>New:</translation>
    </message>
    <message>
        <source>新建目录：</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>选择保存目录</source>
        <translation>Choose the folder to save in</translation>
    </message>
    <message>
        <source>保存目录是</source>
        <translation>  Folder: </translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>段落重排(&amp;Q)</source>
        <translation>Re&amp;flow paragraphs</translation>
    </message>
    <message>
        <source>把内容整理成每行30字数</source>
        <translation>Reflow the text to 30 characters a line</translation>
    </message>
    <message>
        <source>字体设置</source>
        <translation>Font...</translation>
    </message>
    <message>
        <source>撤消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>全选(&amp;L)</source>
        <translation>Select a&amp;ll</translation>
    </message>
    <message>
        <source>全部清除(&amp;D)</source>
        <translation>Clear &amp;all</translation>
    </message>
    <message>
        <source>清除剪贴板内容</source>
        <translation>Empty the clipboard</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存内容</source>
        <translation>Save the text</translation>
    </message>
    <message>
        <source>内码转换</source>
        <translation>Big5→GB</translation>
    </message>
    <message>
        <source>简→繁</source>
        <translation>GB→Big5</translation>
    </message>
    <message>
        <source>重排</source>
        <translation>Reflow</translation>
    </message>
    <message>
        <source>段落重排|自行设置请先在右边填写每行字数。</source>
        <translation>Reflow paragraphs|For your own width, first set the characters per line on the right.</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>段落重排 </source>
        <translation>Reflow paragraphs</translation>
    </message>
    <message>
        <source>全部清除</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>没有选中的类别：编辑的内容没有写入类别的临时文件。</source>
        <translation>No category is selected: the edited text went into no working file.</translation>
    </message>
    <message>
        <source>文本文件 (*.TXT *.txt);;网页(*.htm)</source>
        <translation>Text files (*.TXT *.txt);;Web pages (*.htm)</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Confirm deletion</translation>
    </message>
    <message>
        <source>删除后不可恢复，确认要删除吗？</source>
        <translation>A deleted file cannot be restored. Delete it?</translation>
    </message>
    <message>
        <source> 无法打开。</source>
        <translation> cannot be opened.</translation>
    </message>
    <message>
        <source>文本文件 (*.txt);;网页 (*.htm);;所有文件 (*)</source>
        <translation>Text files (*.txt);;Web pages (*.htm);;All files (*)</translation>
    </message>
    <message>
        <source>类别框|按右键可以删除类别或调整类别上下顺序。</source>
        <translation>Categories|Right-click to delete a category or move it up.</translation>
    </message>
    <message>
        <source>浏览所有文件</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>类别设置</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>类别:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>可在此填入新的类别名</source>
        <translation>Type a new category name here</translation>
    </message>
    <message>
        <source>浏览目录并确认...</source>
        <translation>Confirm...</translation>
    </message>
    <message>
        <source>类别、目录改变|点击此处更改类别目录并自动添加新类别或对应目录。</source>
        <translation>Category and folder|Click here to choose the folder and confirm: a new category is added, or the category gets the new name or folder.</translation>
    </message>
    <message>
        <source>加入合并列表</source>
        <translation>Add to list</translation>
    </message>
    <message>
        <source>合并</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>清除合并列表</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>文件合并</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>声音提示</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>每次自动保存</source>
        <translation>Auto-save</translation>
    </message>
    <message>
        <source>登录时启动</source>
        <translation>Start at login</translation>
    </message>
    <message>
        <source>文件用UTF-8保存</source>
        <translation>Save files as UTF-8</translation>
    </message>
    <message>
        <source>程序换肤：</source>
        <translation>Skin:</translation>
    </message>
    <message>
        <source>程序设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>每行字数：</source>
        <translation>Per line:</translation>
    </message>
    <message>
        <source>指重排时每行多少个全角汉字（相当两个英文字母）。</source>
        <translation>How many full-width characters (two letters each) a reflowed line holds.</translation>
    </message>
    <message>
        <source>选择你需要的每行字数。</source>
        <translation>Choose the characters per line.</translation>
    </message>
    <message>
        <source>|按右键可以编辑、保存内容、整理文件、调整界面等。</source>
        <translation>|Right-click to edit, save, reflow and more.</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>打开当前类别</source>
        <translation>Open current category</translation>
    </message>
    <message>
        <source>新建类别</source>
        <translation>New category</translation>
    </message>
    <message>
        <source>当前类别属性</source>
        <translation>Category properties</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Kestrum帮助</source>
        <translation>Kestrum help</translation>
    </message>
    <message>
        <source>作者信箱</source>
        <translation>Write to the author</translation>
    </message>
    <message>
        <source>作者主页一</source>
        <translation>Home page 1</translation>
    </message>
    <message>
        <source>作者主页二</source>
        <translation>Home page 2</translation>
    </message>
    <message>
        <source>作者主页三</source>
        <translation>Home page 3</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>转移到</source>
        <translation>Move to</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>移至最高</source>
        <translation>Move to top</translation>
    </message>
    <message>
        <source>更改类别属性</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>移到最高</source>
        <translation>Move to top</translation>
    </message>
    <message>
        <source>移到最低</source>
        <translation>Move to bottom</translation>
    </message>
    <message>
        <source>要找的文字</source>
        <translation>Text to find</translation>
    </message>
    <message>
        <source>区分大小写</source>
        <translation>Match case</translation>
    </message>
    <message>
        <source>全部搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>找到 %1 处，%2 个文件，用时 %3 毫秒</source>
        <translation>%1 hits in %2 files, %3 ms</translation>
    </message>
    <message>
        <source>（只显示前 %1 处）</source>
        <translation> (the first %1 shown)</translation>
    </message>
    <message>
        <source>转为繁体字</source>
        <translation>To Traditional Chinese</translation>
    </message>
    <message>
        <source>转为简体字</source>
        <translation>To Simplified Chinese</translation>
    </message>
</context>
<context>
    <name>apptexts</name>
    <message>
        <source>Orrin软件之Kestrum</source>
        <translation>Kestrum by Orrin Software</translation>
    </message>
    <message>
        <source>Kestrum之编辑与设置窗口     (版本号3.3)</source>
        <translation>Kestrum: editor and settings     (version 3.3)</translation>
    </message>
    <message>
        <source>打开编辑与设置窗口</source>
        <translation>Open editor and settings</translation>
    </message>
    <message>
        <source>关闭编辑与设置窗口</source>
        <translation>Close editor and settings</translation>
    </message>
</context>
</TS>
