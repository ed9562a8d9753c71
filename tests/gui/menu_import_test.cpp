#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gui/program_commands.h"
#include "gui/qt_port.h"
#include "gui/run_dialog.h"
#include "gui_test_util.h"
#include "import/run_progress.h"
#include "settings/cache.h"
#include "tables/net.h"
#include "tables/network_wait.h"
#include "tables/table_startup.h"
#include "tables/workspace.h"
#include "xbase/table.h"

namespace {

// Enough articles for an abort to fall in the middle of a run.
constexpr long kArticles = 2000;

namespace ctl = dnorm::ctl;
constexpr int kCounters = 6;
// The settings dialog's confirm button, "&Weiter" when an import follows.
constexpr int kSettingsConfirm = 111;

const QString kRunTitle = QStringLiteral("Datanorm-Daten einlesen");
const QString kAbortQuestion = QStringLiteral("Import abbrechen?");

// What the progress dialog showed at one moment.
struct ProgressPicture {
  QString title;
  std::map<int, QString> texts;  // the status values and the record counters with labels
  std::set<int> hidden;
  int meterValue = 0;
  int meterMaximum = 0;

  QString counter(int i) const { return texts.at(ctl::kFirstCountLabel + 1 + 2 * i); }
};

ProgressPicture pictureOf(const gui::RunDialog& dialog) {
  ProgressPicture picture;
  picture.title = dialog.windowTitle();
  std::vector<int> ids{ctl::kProcessed, ctl::kErrors, ctl::kTotal};
  for (int id = ctl::kFirstCountLabel; id < ctl::kFirstCountLabel + 2 * kCounters; ++id)
    ids.push_back(id);
  for (int id : ids) {
    auto* label = qobject_cast<QLabel*>(dialog.control(id));
    if (!label) continue;
    picture.texts[id] = label->text();
    if (label->isHidden()) picture.hidden.insert(id);
  }
  if (auto* meter = qobject_cast<QProgressBar*>(dialog.control(ctl::kMeter))) {
    picture.meterValue = meter->value();
    picture.meterMaximum = meter->maximum();
  }
  return picture;
}

// The progress dialog on screen, if there is one.
std::optional<ProgressPicture> pictureOfProgress() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<gui::RunDialog*>(window);
    if (dialog && dialog->isVisible()) return pictureOf(*dialog);
  }
  return std::nullopt;
}

// A message box as the user saw it, with the progress dialog behind it.
struct SeenBox {
  QString title;
  QString text;
  std::optional<ProgressPicture> progress;
};

// Stands in for the user whenever the program lets events through: confirms the settings
// dialog, picks `file` in the file dialog, answers "Import abbrechen?" with `abortAnswer`
// and every other question with yes, confirms every message. Given an abort answer, it
// presses the progress dialog's abort button once, as soon as the dialog counts an article.
class SimulatedUser {
 public:
  explicit SimulatedUser(const std::filesystem::path& file,
                         std::optional<QMessageBox::StandardButton> abortAnswer = {})
      : m_file(QString::fromStdString(file.string())), m_abortAnswer(abortAnswer) {
    m_poll.setInterval(5);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { act(); });
    m_poll.start();
  }

  const std::vector<SeenBox>& boxes() const { return m_boxes; }

  std::vector<SeenBox> boxesSaying(const QString& text) const {
    std::vector<SeenBox> found;
    std::copy_if(m_boxes.begin(), m_boxes.end(), std::back_inserter(found),
                 [&text](const SeenBox& box) { return box.text == text; });
    return found;
  }

 private:
  void act() {
    QWidget* front = QApplication::activeModalWidget();
    if (!front || !front->isVisible()) return;
    if (auto* progress = qobject_cast<gui::RunDialog*>(front)) {
      watch(*progress);
    } else if (auto* files = qobject_cast<QFileDialog*>(front)) {
      files->selectFile(m_file);
      files->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
    } else if (auto* box = qobject_cast<QMessageBox*>(front)) {
      answer(*box);
    } else if (auto* dialog = qobject_cast<gui::TemplateDialog*>(front)) {
      qobject_cast<QAbstractButton*>(dialog->control(kSettingsConfirm))->click();
    } else {
      ADD_FAILURE() << "unexpected window " << front->windowTitle().toStdString();
      front->close();
    }
  }

  void watch(gui::RunDialog& progress) {
    if (!m_abortAnswer || m_abortPressed || pictureOf(progress).counter(0) == "0") return;
    qobject_cast<QAbstractButton*>(progress.control(ctl::kAbort))->click();
    m_abortPressed = true;
  }

  void answer(QMessageBox& box) {
    m_boxes.push_back({box.windowTitle(), box.text(), pictureOfProgress()});
    QMessageBox::StandardButton choice = QMessageBox::Yes;
    if (box.text() == kAbortQuestion && m_abortAnswer) choice = *m_abortAnswer;
    QAbstractButton* button = box.button(choice);
    if (!button) button = box.defaultButton();
    button->click();
  }

  QString m_file;
  std::optional<QMessageBox::StandardButton> m_abortAnswer;
  bool m_abortPressed = false;
  QTimer m_poll;
  std::vector<SeenBox> m_boxes;
};

// A demo installation made by the command-line program, as the program directory, with
// the table layer and the settings as start-up leaves them. Its tables close with it.
class DemoInstallation {
 public:
  DemoInstallation() {
    testsupport::CommandResult made =
        testsupport::run({testsupport::cliPath().string(), "demo", home().string(), "--articles",
                          std::to_string(kArticles)});
    if (made.exitCode != 0) ADD_FAILURE() << "demo installation failed: " << made.err;
    app::setupPaths(home(), "");
    tables::configureEngine();
    tables::SETSHARED(true);
    tables::SETCOMMIT(false);
    tables::setWaitLimit(std::nullopt);
    settings::GETVORFELD(0, true);
  }
  ~DemoInstallation() { tables::closeAll(); }

  std::filesystem::path datanormFile(const std::string& name) const {
    return home() / "daten" / name;
  }

  // Records in the merchandise system's article table.
  long articleCount() const {
    std::unique_ptr<xbase::Table> table;
    uint32_t count = 0;
    if (!xbase::Table::open((home() / "lgw" / "ARTIKEL.dbf").string(), {}, &table).isOk() ||
        !table->recordCount(&count).isOk()) {
      ADD_FAILURE() << "ARTIKEL not readable";
    }
    return count;
  }

 private:
  std::filesystem::path home() const { return m_dir / "demo"; }

  testsupport::TempDir m_dir;
};

// The desktop program as its main function puts it together: the Qt port, the main window
// with the program's command table.
class Program {
 public:
  Program() {
    m_port.setOwner(&m_window);
    m_window.show();
  }

  // Chooses the item of the "&Datei" menu as the user does; returns when its command ends.
  void choose(const char* item) {
    QAction* action =
        guitest::menuItem(m_window, QStringLiteral("&Datei"), QString::fromUtf8(item));
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
  }

 private:
  gui::QtPort m_port;
  ui::PortScope m_scope{m_port};
  gui::MainWindow m_window{gui::programCommands([this] { return &m_window; })};
};

// What a Datanorm file whose every line ends with CR LF must leave in the progress dialog:
// all its lines and the empty record after the last one are processed, and the record
// types are counted by the first character of their lines.
struct FileNumbers {
  long processed = 1;
  std::map<char, long> records;

  long count(char type) const { return records.contains(type) ? records.at(type) : 0; }
};

FileNumbers numbersOf(const std::filesystem::path& file) {
  FileNumbers numbers;
  bool lineStart = true;
  for (char c : testsupport::readFile(file)) {
    if (lineStart) ++numbers.records[c];
    lineStart = c == '\n';
    numbers.processed += lineStart;
  }
  return numbers;
}

// The dialog at the end of a run: every line processed, the meter full, the record types
// `counted` (in the order of the dialog's counters) with the file's numbers, the counters
// the kind does not use hidden.
void expectAllCounted(const ProgressPicture& shown, const FileNumbers& file,
                      const std::string& counted) {
  EXPECT_EQ(shown.title, "DATEN_EINLESEN");
  EXPECT_EQ(shown.texts.at(ctl::kProcessed), QString::number(file.processed));
  EXPECT_EQ(shown.texts.at(ctl::kTotal), QString::number(file.processed));
  EXPECT_EQ(shown.meterValue, file.processed);
  EXPECT_EQ(shown.meterMaximum, file.processed);
  for (int i = 0; i < kCounters; ++i) {
    int label = ctl::kFirstCountLabel + 2 * i;
    if (i < static_cast<int>(counted.size())) {
      char type = counted[static_cast<size_t>(i)];
      EXPECT_EQ(shown.texts.at(label), QString(QChar(type)));
      EXPECT_EQ(shown.counter(i), QString::number(file.count(type))) << type;
      EXPECT_FALSE(shown.hidden.contains(label + 1)) << type;
    } else {
      EXPECT_TRUE(shown.hidden.contains(label) && shown.hidden.contains(label + 1)) << label;
    }
  }
}

// The demo's files in the order its instructions give; the record types each kind counts.
struct MenuImport {
  const char* item;
  const char* file;
  const char* closingMessage;
  std::string counted;
};

const MenuImport kDemoImports[] = {
    {"&Hauptwarengruppen einlesen", "DATANORM.WRG", "Import der Hauptwarengruppen ist beendet",
     "S"},
    {"&Rabattgruppen einlesen", "DATANORM.RAB", "Import der Rabattgruppen ist beendet", "R"},
    {"&Datenpflege und -import", "DATANORM.001", "Import ist beendet", "ABDTEX"},
    {"&Preispflege", "DATPREIS.001", "Import der Preisänderungen ist beendet", "P"},
};

TEST(MenuImport, EveryImportOfTheDemoRunsToItsClosingMessageWithTheFilesCounts) {
  DemoInstallation demo;
  Program program;
  for (const MenuImport& import : kDemoImports) {
    SCOPED_TRACE(import.item);
    std::filesystem::path file = demo.datanormFile(import.file);
    SimulatedUser user(file);
    program.choose(import.item);

    ASSERT_FALSE(user.boxes().empty());
    const SeenBox& closing = user.boxes().back();
    EXPECT_EQ(closing.title, kRunTitle);
    EXPECT_EQ(closing.text, QString::fromUtf8(import.closingMessage));
    ASSERT_TRUE(closing.progress);
    expectAllCounted(*closing.progress, numbersOf(file), import.counted);
    // The groups came first, so the articles and prices find theirs.
    EXPECT_EQ(closing.progress->texts.at(ctl::kErrors), "0");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

// The abort button pressed once the first article is in, and the question answered.
struct AbortAnswer {
  QMessageBox::StandardButton answer;
  const char* lastMessage;  // Yes stops the run without the closing message
};

const AbortAnswer kAbortAnswers[] = {
    {QMessageBox::No, "Import ist beendet"},
    {QMessageBox::Yes, "Import abbrechen?"},
};

TEST(MenuImport, AbortAnsweredNoGoesOnToTheEndYesStopsKeepingTheArticlesImportedSoFar) {
  for (const AbortAnswer& abort : kAbortAnswers) {
    SCOPED_TRACE(abort.lastMessage);
    DemoInstallation demo;
    Program program;
    std::filesystem::path file = demo.datanormFile("DATANORM.001");
    SimulatedUser user(file, abort.answer);
    program.choose("&Datenpflege und -import");

    std::vector<SeenBox> questions = user.boxesSaying(kAbortQuestion);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].title, kRunTitle);
    ASSERT_TRUE(questions[0].progress);
    EXPECT_LT(questions[0].progress->texts.at(ctl::kProcessed).toLong(), numbersOf(file).processed);

    const SeenBox& last = user.boxes().back();
    EXPECT_EQ(last.text, abort.lastMessage);
    ASSERT_TRUE(last.progress);
    if (abort.answer == QMessageBox::No)
      expectAllCounted(*last.progress, numbersOf(file), "ABDTEX");
    // The run closed the merchandise tables and left the own ones open; every article it
    // counted is in the article table, and none after the abort.
    EXPECT_FALSE(tables::isOpen("ARTIKEL"));
    EXPECT_TRUE(tables::isOpen("DNORMERR"));
    EXPECT_EQ(QString::number(demo.articleCount()), last.progress->counter(0));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

}  // namespace
