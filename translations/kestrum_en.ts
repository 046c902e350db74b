<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Desktop</name>
    <message>
        <source>保存到类别目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不保存，退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileViewer</name>
    <message>
        <source>（这个 RTF 文件的格式太多，下面只显示文字，不显示格式。）
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>—— 文件较大，这里只显示了第 %1 到 %2 MB。点这里显示下一部分 ——</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>读取IP错误:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>你的IP是:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%s”里从 .txt 到 (1000).txt 的文件名都已经有了。为了不覆盖任何文件，这次的文字没有保存。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经保存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存目录是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别名“%s”不能用：类别名不能为空，不能是“.”或“..”，也不能含有“/”、“=”、换行或空字符。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别名“%s”不能用：类别名的开头和结尾不能是空格。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件夹“%s”不能用：文件夹名不能含有换行或空字符。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件夹“%s”不能用：文件夹名的开头和结尾不能是空格。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法建立临时文件夹 %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>临时文件夹 %s 不是文件夹（也许是一个链接），为了安全不使用它</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>临时文件夹 %s 属于别的用户，为了安全不使用它</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法把临时文件夹 %s 设为私有</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>。这次运行改用临时文件夹 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置项的名称不能为空，不能含有换行、“=”或“]”，不能以“[”或“;”开头，开头和结尾也不能是空格：%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置值只能是一行文字：%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法建立工作文件夹 %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%s”不是普通文件（是管道、设备或文件夹），不能读取。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每行字数不能是负数：%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入要搜索的文字。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是文字和软件拖存窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是自动保存的锁定钮</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>文字和下载链接粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序换肤</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以下类别的临时文件中有没有保存过的文字，退出时将被删除：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

要把它们保存到各自的类别目录吗？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>?subject=Kestrum用户的来信</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>警告：如果文本合并过多，请耐心等待！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单击看文件内容。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建或更改后请按“确认”！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到帮助文件：程序文件夹里没有 tuckpad.chm，使用手册 %1 也不在。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可以打开 %1 的程序。
请安装桌面的打开程序（xdg-utils 的 xdg-open）后再试。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入新名或新目录后按“确认”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  保存目录是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此类别的目录已经被取消，请重新确定。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改类别：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改目录：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>默认目录：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建类别：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建目录：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择保存目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存目录是</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>段落重排(&amp;Q)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把内容整理成每行30字数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>字体设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全选(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部清除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清除剪贴板内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内码转换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简→繁</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重排</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>段落重排|自行设置请先在右边填写每行字数。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剪切</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>段落重排 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部清除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全选</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有选中的类别：编辑的内容没有写入类别的临时文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文本文件 (*.TXT *.txt);;网页(*.htm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除后不可恢复，确认要删除吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 无法打开。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文本文件 (*.txt);;网页 (*.htm);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别框|按右键可以删除类别或调整类别上下顺序。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浏览所有文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可在此填入新的类别名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浏览目录并确认...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别、目录改变|点击此处更改类别目录并自动添加新类别或对应目录。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加入合并列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合并</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清除合并列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件合并</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>声音提示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每次自动保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>登录时启动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件用UTF-8保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序换肤：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每行字数：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指重排时每行多少个全角汉字（相当两个英文字母）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择你需要的每行字数。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>|按右键可以编辑、保存内容、整理文件、调整界面等。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开当前类别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新建类别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前类别属性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestrum帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作者信箱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作者主页一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作者主页二</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作者主页三</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转移到</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移至最高</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>更改类别属性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上移</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下移</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移到最高</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移到最低</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要找的文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>区分大小写</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找到 %1 处，%2 个文件，用时 %3 毫秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（只显示前 %1 处）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>apptexts</name>
    <message>
        <source>Orrin软件之Kestrum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestrum之编辑与设置窗口     (版本号3.3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开编辑与设置窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭编辑与设置窗口</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
