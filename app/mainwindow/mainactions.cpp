#include "mainwindow/mainactions.h"

namespace app {

const std::vector<TActionSpec>& MainActions() {
  static const std::vector<TActionSpec> table = {
      {"actFileNew", "新建(&N)", "Ctrl+N", nullptr},
      {"actFileOpen", "打开…(&O)", "Ctrl+O", nullptr},
      {"WindowClose1", "关闭(&Z)", nullptr, nullptr},
      {"actFileSave", "保存(&S)", "Ctrl+S", nullptr},
      {"actFileSaveAs", "另存为…", nullptr, nullptr},
      {"actFilePreView", "预览(&V)", nullptr, nullptr},
      {"actFilePrint", "打印(&P)", "Ctrl+P", nullptr},
      {"actFileExit", "退出(&Q)", "Ctrl+Q", nullptr},
      {"actEditCut", "剪切(&X)", "Ctrl+X", "剪切"},
      {"actEditCopy", "复制(&C)", "Ctrl+C", nullptr},
      {"actEditPaste", "粘贴(&V)", "Ctrl+V", nullptr},
      {"actEditDel", "删除", "Del", "删除"},
      {"actEditClear", "清除(&R)", "Ctrl+Del", "清除"},
      {"actEditBringToFront", "送到顶层(&B)", nullptr, "把元素送到顶层"},
      {"actEditSendToBack", "送到底层(&S)", nullptr, "把元素送到底层"},
      {"actEditChangeImage", "改变图符(&P)", nullptr, "改变印章图符"},
      {"actEditSetSameCenter", "对准中心(&T)", nullptr, nullptr},
      {"actViewZoomAll", "细节查看…", nullptr, nullptr},
      {"actEditSealSaveToImage", "导出为图象…", nullptr, nullptr},
      {"actLibAdd", "加入印章库", nullptr, "存入印章库"},
      {"actEditLibrary", "编辑印章库", nullptr, "编辑修改印章库"},
      {"actInsertSeal", "插入模板印章", nullptr, nullptr},
      {"actDeleteLibrarySeal", "删除模板印章", nullptr, nullptr},
      {"actViewOpenDrawTools", "隐藏绘图工具(&D)", nullptr, nullptr},
      {"actViewOpenOrClosefrmProp", "隐藏属性窗口(&P)", nullptr, nullptr},
      {"actViewOpenOrCloseToolBar", "隐藏工具栏(&T)", nullptr, nullptr},
      {"actViewOpenOrCloseStatusBar", "隐藏状态栏(&S)", nullptr, nullptr},
      {"actViewOpenOrCloseGrid", "隐藏网格(&G)", nullptr, nullptr},
      {"actViewZoomIn", "放大显示(&I)", "PgUp", nullptr},
      {"actViewZoomNormal", "正常显示(&N)", "End", nullptr},
      {"actViewZoomOut", "缩小显示(&U)", "PgDown", nullptr},
      {"actToolsNextFont", "下一个字体", nullptr, "下一个字体"},
      {"actLockSeal", "锁定印章位置(&L)", nullptr, "锁定印章"},
      {"actLockPage", "锁定页面(&P)", nullptr, "锁定页面"},
      {"actPageDoubleBuffered", "页面使用双缓冲", nullptr, nullptr, 0, true},
      {"WindowCascade1", "叠放窗口(&C)", nullptr, nullptr},
      {"WindowTileHorizontal1", "平排窗口(&H)", nullptr, nullptr},
      {"WindowTileVertical1", "竖排窗口(&T)", nullptr, nullptr},
      {"WindowArrange1", "重排窗口(&A)", nullptr, nullptr},
      {"WindowMinimizeAll1", "最小化(&M)", nullptr, nullptr},
      {"WindowsCloseAll", "全部关闭(&S)", nullptr, nullptr},
      {"actHelpAbout", "关于…(&A)", nullptr, nullptr},
      {"actHelpChangeWallPaper", "更换壁纸(&W)", nullptr, nullptr},
      {"actHelpMailme", "致信作者(&M)", nullptr, nullptr},
      {"actGoHomePage", "登陆作者的主页", nullptr, nullptr},
      {"actHelpHelp", "使用帮助(&H)", nullptr, "使用帮助|帮助使用"},
  };
  return table;
}

const std::vector<TActionSpec>& ToolActions() {
  static const std::vector<TActionSpec> table = {
      {"actDrawHorzLine", nullptr, nullptr, "水平线", 1, true},
      {"actDrawVertLine", nullptr, nullptr, "竖直线", 2, true},
      {"actDrawAnyLine", nullptr, nullptr, "任意直线", 3, true},
      {"actDrawArc", nullptr, nullptr, "弧线或扇形", 4, true},
      {"actDrawEllipseFrame", nullptr, nullptr, "圆或椭圆", 5, true},
      {"actDrawRect", nullptr, nullptr, "矩形", 6, true},
      {"actDrawRoundRect", nullptr, nullptr, "圆角矩形", 7, true},
      {"actDrawDiamond", nullptr, nullptr, "切角矩形", 8, true, false},
      {"actDrawTriangle", nullptr, nullptr, "三角形", 9, true},
      {"actDrawRhombFrame", nullptr, nullptr, "菱形", 10, true},
      {"actDrawHorzText", nullptr, nullptr, "水平文字", 11, true},
      {"actDrawEllipseText", nullptr, nullptr, "环排文字", 12, true},
      {"actDrawAnyText", nullptr, nullptr, "任意角度文字", 13, true},
      {"actDrawFiveStar", nullptr, nullptr, "矢量五星", 14, true},
      {"actDrawCell", nullptr, nullptr, "表格", 15, true},
      {"actDrawImage", nullptr, nullptr, "从文件装载图象", 16, true},
      {"actScrollPage", nullptr, nullptr, "抓移浏览", 42, true},
      {"actPageZoomIn", nullptr, nullptr, "连续放大", 43, true},
      {"actPageZoomOut", nullptr, nullptr, "连续缩小", 44, true},
      {"actPageZoom", nullptr, nullptr, "正常页面视图"},
      {"actBringToFront", nullptr, nullptr, "浮起到表层"},
      {"actSendToBack", nullptr, nullptr, "压入到底层"},
      {"actSameCenter", nullptr, nullptr, "对准中心"},
      {"actChangePicture", nullptr, nullptr, "从文件更换图象"},
      {"actDrawGZh", "圆公章(&A)", nullptr, "圆公章", 17, true},
      {"actDrawYCW", "圆财务专用章", nullptr, "圆财务专用章", 18, true},
      {"actDrawYZLA", "圆转轮印章(一)", nullptr, "圆转轮印章(1)", 19, true},
      {"actDrawYZLB", "圆转轮印章(二)", nullptr, "圆转轮印章(2)", 20, true},
      {"actDrawEllipse", "椭圆印章", nullptr, "椭圆印章", 21, true},
      {"actDrawFPZYZ", "发票专用章", nullptr, "发票专用章", 22, true},
      {"actDrawTYZLA", "椭圆转轮(一)", nullptr, "椭圆转轮印章(1)", 23, true},
      {"actDrawTYZLB", "椭圆转轮(二)", nullptr, "椭圆转轮印章(2)", 24, true},
      {"actDrawFCW", "方财务专用章", nullptr, "方财务专用章", 25, true},
      {"actDrawZZS", "增值税条章", nullptr, "增值税章", 26, true},
      {"actDrawFZLA", "方转轮印(一)", nullptr, "方转轮印章(1)", 27, true},
      {"actDrawFZLB", "方转轮印(二)", nullptr, "方转轮印章(2)", 28, true},
      {"actDrawRhomb", "菱形印章", nullptr, "菱形印章", 29, true},
      {"actDrawSJ", "三角印章", nullptr, "三角印章", 30, true},
      {"actDraw22MZ", "四字名章", nullptr, "四字方章", 31, true},
      {"actDraw3ZFZ", "左一右二方章", nullptr, "左一右二方章", 32, true},
      {"actDraw3ZFZA", "左二右一方章", nullptr, "左二右一方章", 33, true},
      {"actDraw2ZFZ", "横排两字方章", nullptr, "横排两字方章", 34, true},
      {"actDraw3ZFZB", "上一下二方章", nullptr, "上一下二方章", 35, true},
      {"actDraw3ZFZC", "上二下一方章", nullptr, "上二下一方章", 36, true},
      {"actDraw2ZFZA", "竖排两字方章", nullptr, "竖排两字方章", 37, true},
      {"actDraw3ZBMZ", "三字扁名章", nullptr, "三字扁章", 38, true},
      {"actDraw2ZBMZ", "两字扁名章", nullptr, "两字扁章", 39, true},
      {"actDraw4ZBMZ", "四字扁名章", nullptr, "四字扁章", 40, true},
      {"actDrawAPicture", nullptr, nullptr, nullptr, 41, true},
  };
  return table;
}

const std::vector<TMenuSpec>& MainMenus() {
  static const std::vector<TMenuSpec> table = {
      {"File", "文件(&F)",
       {"actFileNew", "actFileOpen", "WindowClose1", "-", "actFileSave", "actFileSaveAs", "-", "actFilePreView",
        "actFilePrint", "-", "actFileExit"}},
      {"Edit", "编辑(&E)",
       {"actEditCut", "actEditCopy", "actEditPaste", "-", "actEditDel", "actEditClear", "-", "actEditBringToFront",
        "actEditSendToBack", "actEditChangeImage", "actEditSetSameCenter", "actViewZoomAll", "-",
        "actEditSealSaveToImage"}},
      {"SealLibrary", "印章库(&Y)", {"actLibAdd", "actEditLibrary"}},
      {"View", "查看(&V)",
       {"actViewOpenDrawTools", "actViewOpenOrClosefrmProp", "actViewOpenOrCloseToolBar",
        "actViewOpenOrCloseStatusBar", "actViewOpenOrCloseGrid", "-", "actViewZoomIn", "actViewZoomNormal",
        "actViewZoomOut"}},
      {"Tools", "工具(&T)", {"actToolsNextFont", "actLockSeal", "actLockPage", "-", "actPageDoubleBuffered"}},
      {"WindowMenu", "窗口(&W)",
       {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "-", "WindowArrange1",
        "WindowMinimizeAll1", "WindowsCloseAll"}},
      {"Help", "帮助(&H)", {"actHelpAbout", "actHelpChangeWallPaper", "actHelpMailme", "actGoHomePage", "actHelpHelp"}},
  };
  return table;
}

const std::vector<TMenuSpec>& PopupMenus() {
  static const std::vector<TMenuSpec> table = {
      {"PopupMenu1", "",
       {"actEditCut", "actEditCopy", "actEditPaste", "-", "actEditDel", "actLockSeal", "actEditSetSameCenter", "-",
        "actViewZoomAll", "actEditSealSaveToImage", "actLibAdd"}},
      {"PopupMenu2", "",
       {"actEditClear", "actEditLibrary", "-", "actFileSave", "actFilePrint", "WindowClose1", "-", "actFileExit"}},
      {"PopupMenu3", "", {"actInsertSeal", "actDeleteLibrarySeal"}},
  };
  return table;
}

const std::vector<const char*>& ToolBarItems() {
  static const std::vector<const char*> items = {
      "actFileNew", "actFileOpen", "actFileSave", "actFilePreView", "actFilePrint", "-",
      "actEditCut", "actEditCopy", "actEditPaste", "actEditDel", "-",
      "actViewZoomNormal", "Panel4", "-", "actToolsNextFont", "Panel3", "Panel1",
  };
  return items;
}

}  // namespace app
