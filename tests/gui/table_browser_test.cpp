#include "gui/table_browser.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include "app/paths.h"
#include "base/cp1252.h"
#include "base/ini_file.h"
#include "browser_fixture.h"
#include "gui/main_window.h"
#include "gui/message_bar.h"
#include "gui/record_list_model.h"

namespace {

using browsertest::button;
using browsertest::onNextDialog;
using browsertest::withBrowser;
using ui::Message;

class TableBrowserTest : public browsertest::BrowserTest {
 protected:
  // The first column's text of every row the list shows.
  static std::vector<std::string> firstColumn(gui::TableBrowser& b, int column = 0) {
    std::vector<std::string> texts;
    for (int r = 0; r < b.model()->rowCount(); ++r)
      texts.push_back(
          base::ansiFromUtf16(b.model()->index(r, column).data().toString().toStdU16String()));
    return texts;
  }
  static int currentRow(gui::TableBrowser& b) { return b.list()->currentIndex().row(); }
  static void selectRow(gui::TableBrowser& b, int row) {
    b.list()->setCurrentIndex(b.model()->index(row, 0));
  }
  static void doubleClickRow(gui::TableBrowser& b, int row) {
    QModelIndex cell = b.model()->index(row, 1);
    b.list()->setCurrentIndex(cell);
    emit b.list()->doubleClicked(cell);
  }
  std::string localIni() const { return testsupport::readFile(app::INILOKAL()); }
};

TEST_F(TableBrowserTest, EachTableGetsItsTitleAndButtons) {
  struct Case {
    int kind;
    const char* title;
    std::vector<int> hidden;
    std::vector<int> disabled;
  };
  const Case cases[] = {
      {1, "Hauptwarengruppen bearbeiten", {111}, {}},
      {3, "Rabattgruppen bearbeiten", {111}, {}},
      {4, "Fehlerprotokoll ansehen", {111, 121, 122}, {}},
      {5, "Fehlertexte ansehen", {111}, {122, 123}},
      {6, "Artikel-Löschprotokoll ansehen und drucken", {111, 121, 122}, {}},
  };
  // A table the caller had current stays current; the browsed one is closed afterwards, also
  // when it was open before the browser started.
  ASSERT_TRUE(tables::NETOPEN("DNORMERT", false));
  ASSERT_TRUE(tables::NETOPEN("DNORMRAB"));
  for (const Case& c : cases) {
    bool shown = false;
    withBrowser(c.kind, [&](gui::TableBrowser& b) {
      shown = true;
      EXPECT_EQ(b.windowTitle(), QString::fromUtf8(c.title));
      for (int id : {121, 122, 123, 111, 110}) {
        bool hidden = std::find(c.hidden.begin(), c.hidden.end(), id) != c.hidden.end();
        bool disabled = std::find(c.disabled.begin(), c.disabled.end(), id) != c.disabled.end();
        EXPECT_EQ(button(b, id)->isVisible(), !hidden) << c.kind << " " << id;
        EXPECT_EQ(button(b, id)->isEnabled(), !disabled) << c.kind << " " << id;
      }
    });
    EXPECT_TRUE(shown) << c.kind;
    EXPECT_EQ(tables::currentAlias(), c.kind == 3 ? "" : "DNORMRAB") << c.kind;
    if (c.kind == 3) {
      ASSERT_TRUE(tables::NETOPEN("DNORMRAB"));
    }
  }
  EXPECT_FALSE(tables::isOpen("DNORMERT"));
  EXPECT_TRUE(gui::NORMANZEIGE(nullptr, 2));  // no such browser: nothing opens
  EXPECT_FALSE(gui::EDITTABELLE(nullptr, ""));
  EXPECT_FALSE(gui::EDITTABELLE(nullptr, "NICHTDA"));  // cannot be opened: no browser
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(port().messages().empty());
}

TEST_F(TableBrowserTest, ErrorLogEntriesAreDeletedOneByOne) {
  withBrowser(4, [&](gui::TableBrowser& b) {
    // Index order: no date first, then by date and time; the deleted entry is not shown.
    EXPECT_EQ(firstColumn(b, 4), (std::vector<std::string>{"", "AB1234", "0815", "4711", "4712"}));
    doubleClickRow(b, 2);  // the log has no editor
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), &b);

    selectRow(b, 2);
    button(b, 123)->click();
    EXPECT_EQ(firstColumn(b, 4), (std::vector<std::string>{"", "AB1234", "4711", "4712"}));
    EXPECT_EQ(currentRow(b), 2);  // on the entry that followed
    selectRow(b, 3);
    button(b, 123)->click();
    EXPECT_EQ(firstColumn(b, 4), (std::vector<std::string>{"", "AB1234", "4711"}));
    EXPECT_EQ(currentRow(b), 2);  // the last one left
  });
  ASSERT_TRUE(tables::NETOPEN("DNORMERR"));
  uint32_t count = 0;
  ASSERT_TRUE(tables::current()->recordCount(&count).isOk());
  EXPECT_EQ(count, 6u);  // deleted entries stay in the file until the reorganisation
  EXPECT_TRUE(port().messages().empty());
}

TEST_F(TableBrowserTest, NewGroupWithACodeInUseAddsNothing) {
  auto addGroup = [](gui::TableBrowser& b, const char* code) {
    onNextDialog([code](QWidget* w) {
      auto* editor = qobject_cast<gui::TemplateDialog*>(w);
      EXPECT_EQ(editor->windowTitle(), QStringLiteral("Hauptwarengruppen bearbeiten: Neu"));
      auto* codeField = qobject_cast<QLineEdit*>(editor->control(121));
      EXPECT_EQ(codeField->maxLength(), 3);
      QTest::keyClicks(codeField, QString::fromLatin1(code));
      QTest::keyClicks(editor->control(122), QStringLiteral("Neue Gruppe"));
      button(*editor, 111)->click();
    });
    button(b, 122)->click();
  };
  withBrowser(1, [&](gui::TableBrowser& b) {
    addGroup(b, "001");
    EXPECT_EQ(port().messages(), (std::vector<Message>{{Message::Kind::Information,
                                                        "Hauptwarengruppen bearbeiten",
                                                        "001 wird bereits benutzt!",
                                                        {}}}));
    EXPECT_EQ(b.model()->rowCount(), 8);

    addGroup(b, "050");
    ASSERT_EQ(b.model()->rowCount(), 9);
    EXPECT_EQ(firstColumn(b, 1)[4], "050");
    EXPECT_EQ(currentRow(b), 4);  // the new group is selected
    EXPECT_EQ(firstColumn(b, 0)[4], "ja");
  });
}

TEST_F(TableBrowserTest, ErrorTextEditorChangesOnlyTheFlag) {
  ASSERT_TRUE(tables::NETOPEN("DNORMERT"));
  std::string before;
  bool found = false;
  ASSERT_TRUE(
      tables::current()->seek(xbase::Value{xbase::Value::Type::Numeric, {}, 7}, &found).isOk());
  ASSERT_TRUE(found);
  before = tables::current()->recordBytes();
  tables::NETCLOSE();

  withBrowser(5, [&](gui::TableBrowser& b) {
    onNextDialog([](QWidget* w) {
      auto* editor = qobject_cast<gui::TemplateDialog*>(w);
      for (int id : {121, 122, 123}) EXPECT_FALSE(editor->control(id)->isEnabled()) << id;
      EXPECT_EQ(qobject_cast<QLineEdit*>(editor->control(121))->text(), QStringLiteral("7"));
      button(*editor, 124)->click();
      button(*editor, 111)->click();
    });
    doubleClickRow(b, 3);  // -1, 0, 1, 7
    EXPECT_EQ(firstColumn(b, 1)[3], "ja");
    EXPECT_EQ(currentRow(b), 3);
  });
  ASSERT_TRUE(tables::NETOPEN("DNORMERT"));
  ASSERT_TRUE(
      tables::current()->seek(xbase::Value{xbase::Value::Type::Numeric, {}, 7}, &found).isOk());
  std::string after = tables::current()->recordBytes();
  size_t flag = tables::current()->fields()[1].offset;
  EXPECT_EQ(after[flag], 'T');
  after[flag] = before[flag];
  EXPECT_EQ(after, before);
}

TEST_F(TableBrowserTest, SizeAndColumnWidthsReturnWithTheBrowser) {
  base::writeProfileString(app::INILOKAL(), "EditTabelle:DNORMWGR", "SPALTEN", "3,700,abc");
  withBrowser(1, [&](gui::TableBrowser& b) {
    QHeaderView* header = b.list()->horizontalHeader();
    EXPECT_EQ(
        (std::vector<int>{header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)}),
        (std::vector<int>{5, 600, 5}));
    header->resizeSection(0, 77);
    // The window, frame included, 400 x 300 pixels.
    QSize frame = b.frameGeometry().size() - b.geometry().size();
    b.resize(QSize(400, 300) - frame);
  });
  EXPECT_NE(localIni().find("SPALTEN=77,600,5\r\n"), std::string::npos) << localIni();
  auto ini = base::IniFile::load(app::INILOKAL());
  auto number = [&](const char* key) {
    return std::stoi(*ini->value("EditTabelle:DNORMWGR", key));
  };
  EXPECT_EQ(number("WinRight") - number("WinLeft"), 399);
  EXPECT_EQ(number("WinBottom") - number("WinTop"), 299);

  withBrowser(1, [&](gui::TableBrowser& b) {
    EXPECT_EQ(b.frameGeometry().size(), QSize(400, 300));
    QRect screen = b.screen()->geometry();
    EXPECT_EQ(b.frameGeometry().topLeft(), QPoint((screen.x() + screen.width()) / 2 - 200,
                                                  (screen.y() + screen.height()) / 2 - 150));
  });
}

TEST_F(TableBrowserTest, ResizingKeepsButtonsAndListAboveTheBottom) {
  withBrowser(3, [&](gui::TableBrowser& b) {
    for (QSize size : {QSize(500, 400), QSize(700, 260)}) {
      b.resize(size);
      for (int id : {121, 122, 123, 110}) {
        QRect r = b.control(id)->geometry();
        EXPECT_EQ(r.y() + r.height(), size.height() - 5) << id;
      }
      QRect list = b.list()->geometry();
      EXPECT_EQ(list, QRect(0, 0, size.width(), b.control(110)->geometry().y() - 5));
    }
    // Horizontal positions stay where the template puts them.
    EXPECT_LT(b.control(121)->x(), b.control(122)->x());
  });
}

TEST_F(TableBrowserTest, PopupMenuOffersPrintingAndClosing) {
  gui::MainWindow window;
  withBrowser(
      1,
      [&](gui::TableBrowser& b) {
        QMenu* menu = b.createPopupMenu();
        QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), 3);
        EXPECT_EQ(actions[0]->text(), QStringLiteral("&Drucken"));
        emit menu->hovered(actions[0]);
        EXPECT_EQ(window.messageBar()->text(), QStringLiteral("Liste drucken"));
        EXPECT_TRUE(actions[1]->isSeparator());
        EXPECT_EQ(actions[2]->text(), QStringLiteral("&Schließen\tStrg+F4"));
        EXPECT_EQ(actions[2]->statusTip(), QStringLiteral("Fenster schließen"));
        actions[2]->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(b.isVisible());
      },
      &window);
}

}  // namespace
