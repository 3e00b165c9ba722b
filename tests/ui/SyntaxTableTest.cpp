// Syntax items, the extension table and the highlighter instances' colours.
#include <QtTest>
#include <set>

#include "app/HighlighterSet.h"
#include "app/SyntaxTable.h"
#include "highlight/CodeEditHighlighter.h"
#include "highlight/HighlighterCpp.h"

using namespace vantrel;

class SyntaxTableTest : public QObject {
  Q_OBJECT

 private slots:
  void extensionTable_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("item");
    const std::pair<const char*, TSyntaxItem> rows[] = {
        {"a.pas", siPascal1},  {"a.DPR", siPascal1},    {"a.c", siCC1},          {"a.cpp", siCC1},
        {"a.cc", siCC1},       {"a.h", siCC1},          {"a.m", siCC1},          {"A.Java", siXML1},
        {"a.asm", siASM1},     {"a.php", siPHP1},       {"a.pl", siPerl1},       {"a.py", siPython1},
        {"a.html", siHTML1},   {"a.htm", siHTML1},      {"a.bas", siVB1},        {"a.css", siCSS1},
        {"a.js", siJavaScript1}, {"a.xml", siXML2},     {"a.plist", siXML2},     {"a.bat", siDOSBatch1},
        {"a.rb", siRuby1},     {"a.sh", siUNIXScript1}, {"a.cs", siC1},          {"a.awk", siAWK1},
        {"README", siNone},    {"archive.tar.gz", siNone}, {"a.", siNone},       {".c", siCC1},
        {"/d.pas/x", siNone},  {"a.cxx", siNone},       {"a.pyw", siNone},
    };
    for (const auto& [name, item] : rows) QTest::newRow(name) << name << int(item);
  }
  void extensionTable() {
    QFETCH(QString, fileName);
    QFETCH(int, item);
    QCOMPARE(int(SyntaxItemForFileName(fileName.toStdString())), item);
  }

  void itemsAndInstancesAreConsistent() {
    std::set<std::string> names;
    int radio = 0;
    for (int i = 0; i < kSyntaxItemCount; ++i) {
      const TSyntaxItemInfo& info = SyntaxItems()[size_t(i)];
      QVERIFY2(names.insert(info.Name).second, info.Name);
      if (info.Checks == TSyntaxItem(i)) ++radio;
      QCOMPARE(info.Highlighter, SyntaxItems()[size_t(info.Checks)].Highlighter);
    }
    QCOMPARE(radio, kSyntaxItemCount - 1);  // all but Objective-C
    // Every instance but none is reachable from the menu.
    std::set<int> reached;
    for (const TSyntaxItemInfo& info : SyntaxItems()) reached.insert(info.Highlighter);
    QCOMPARE(int(reached.size()), kHighlighterInstanceCount + 1);
  }

  void instancesThatExistGetAllTheirSettings() {
    THighlighterSet set;
    for (THighlighterInstance built : {hiCpp, hiAsm, hiUNIXShellScript, hiRuby, hiPython, hiPerl, hiBat}) {
      TCustomHighlighter* highlighter = set.Instance(built);
      QVERIFY2(highlighter, HighlighterInstances()[size_t(built)].Name);
      QCOMPARE(QString::fromStdString(highlighter->ClassName()), QString(HighlighterInstances()[size_t(built)].ClassName));
    }
    QVERIFY(set.Instance(hiNone) == nullptr);
    for (const TAttributeSetting* setting : set.UnappliedSettings())
      QFAIL(qPrintable(QString("%1 of %2 found no attribute")
                           .arg(setting->Property, HighlighterInstances()[size_t(setting->Instance)].Name)));
  }

  void cppColours() {
    THighlighterSet set;
    auto* cpp = dynamic_cast<TCppHighlighter*>(set.Instance(hiCpp));
    QVERIFY(cpp);
    QCOMPARE(cpp->CommentAttri().Foreground(), clGreen);
    QCOMPARE(int(cpp->CommentAttri().Style()), 0);
    QCOMPARE(cpp->KeyAttri().Foreground(), clBlue);
    QCOMPARE(int(cpp->KeyAttri().Style()), 0);
    QCOMPARE(cpp->DirecAttri().Foreground(), clNavy);
    QCOMPARE(cpp->StringAttri().Foreground(), clRed);
    QCOMPARE(cpp->HexAttri().Foreground(), clBlue);
    QCOMPARE(cpp->OctalAttri().Foreground(), clTeal);
    QCOMPARE(cpp->CharAttri().Foreground(), clMaroon);
    // Not in the settings: the class default stays.
    QCOMPARE(cpp->SymbolAttri().Foreground(), clNone);
  }

  // Settings reach the attribute behind each property, even where two
  // languages name the same property differently ("Non-reserved Keyword").
  void settingsReachTheirProperties() {
    constexpr int kAnyStyle = -1;
    THighlighterSet set;
    struct Row {
      THighlighterInstance instance;
      const char* property;
      TColor foreground;
      int style;
    } rows[] = {
        {hiPython, "NonKeyAttri", clTeal, 0},
        {hiPython, "DocStringAttri", clMaroon, kAnyStyle},
        {hiPython, "SymbolAttri", clNone, kAnyStyle},
        {hiPerl, "SpaceAttri", clNone, kAnyStyle},
        {hiPerl, "VariableAttri", clBlue, 0},
        {hiPerl, "PragmaAttri", clBlue, 0},
        {hiBat, "KeyAttri", clNone, fsBold},
        {hiUNIXShellScript, "VarAttri", TColor(0x800080), kAnyStyle},
    };
    for (const Row& row : rows) {
      THighlighterAttributes* attribute = set.Instance(row.instance)->AttributeByProperty(row.property);
      QVERIFY2(attribute, row.property);
      QCOMPARE(attribute->Foreground(), row.foreground);
      if (row.style != kAnyStyle) QCOMPARE(int(attribute->Style()), row.style);
    }
  }
};

QTEST_MAIN(SyntaxTableTest)
#include "SyntaxTableTest.moc"
