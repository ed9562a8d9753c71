#include "gui/help_viewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace gui {

namespace {

constexpr int kContentsTab = 0;
constexpr int kSearchTab = 1;
const QSize kWindowSize(820, 560);

const char* const kUsingHelp = R"(
<h2>Hilfe benutzen</h2>
<p>Das Hilfefenster hat links zwei Karten und rechts den Hilfetext.</p>
<h3>Inhalt</h3>
<p>Die Karte <b>Inhalt</b> listet alle Themen der Hilfe in ihrer Reihenfolge. Ein Klick auf ein
Thema zeigt es rechts an.</p>
<h3>Suchen</h3>
<p>Auf der Karte <b>Suchen</b> geben Sie einen oder mehrere Begriffe ein. Die Liste darunter
zeigt sofort alle Themen, die jeden der Begriffe enthalten; Groß- und Kleinschreibung spielen
keine Rolle. Ein Klick auf ein Thema zeigt es an.</p>
<h3>Im Hilfetext</h3>
<p>Unterstrichene Verweise führen zu anderen Themen. Mit den Bild-Tasten blättern Sie im
Text.</p>
)";

}  // namespace

QPointer<HelpViewer> HelpViewer::s_window;

std::vector<HelpTopic> helpTopics(const QString& html) {
  static const QRegularExpression heading(
      QStringLiteral(R"re(<h2\s+id\s*=\s*"([^"]*)"\s*>(.*?)</h2>)re"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  std::vector<HelpTopic> topics;
  std::vector<qsizetype> starts;
  for (auto it = heading.globalMatch(html); it.hasNext();) {
    QRegularExpressionMatch match = it.next();
    topics.push_back({match.captured(1),
                      QTextDocumentFragment::fromHtml(match.captured(2)).toPlainText().trimmed(),
                      {},
                      {}});
    starts.push_back(match.capturedStart());
  }
  for (size_t i = 0; i < topics.size(); ++i) {
    qsizetype end = i + 1 < starts.size() ? starts[i + 1] : html.size();
    topics[i].html = html.mid(starts[i], end - starts[i]);
    topics[i].text = QTextDocumentFragment::fromHtml(topics[i].html).toPlainText();
  }
  return topics;
}

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_tabs(new QTabWidget),
      m_contents(new QListWidget),
      m_searchWords(new QLineEdit),
      m_searchHits(new QListWidget),
      m_browser(new QTextBrowser) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("QMT Datanorm - Hilfe"));
  resize(kWindowSize);

  auto* searchPage = new QWidget;
  auto* searchLayout = new QVBoxLayout(searchPage);
  auto* wordsLabel = new QLabel(QStringLiteral("Gesuchte &Begriffe:"));
  wordsLabel->setBuddy(m_searchWords);
  searchLayout->addWidget(wordsLabel);
  searchLayout->addWidget(m_searchWords);
  searchLayout->addWidget(new QLabel(QStringLiteral("Gefundene Themen:")));
  searchLayout->addWidget(m_searchHits);
  m_tabs->insertTab(kContentsTab, m_contents, QStringLiteral("&Inhalt"));
  m_tabs->insertTab(kSearchTab, searchPage, QStringLiteral("&Suchen"));

  auto* splitter = new QSplitter;
  splitter->addWidget(m_tabs);
  splitter->addWidget(m_browser);
  splitter->setStretchFactor(1, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(splitter);

  m_browser->setOpenLinks(false);
  connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
    for (const HelpTopic& topic : m_topics) {
      if (topic.anchor == link.fragment()) showTopic(&topic);
    }
  });
  connect(m_contents, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { showTopic(topicTitled(item->text())); });
  connect(m_searchHits, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { showTopic(topicTitled(item->text())); });
  connect(m_searchWords, &QLineEdit::textChanged, this, &HelpViewer::updateSearch);
}

HelpViewer* HelpViewer::open(const std::filesystem::path& document, Page page, QWidget* parent) {
  if (!s_window) s_window = new HelpViewer(parent);
  s_window->load(document);
  s_window->showPage(page);
  s_window->show();
  s_window->raise();
  s_window->activateWindow();
  return s_window;
}

void HelpViewer::load(const std::filesystem::path& document) {
  QFile file(QString::fromStdString(document.string()));
  m_html = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  m_topics = helpTopics(m_html);
  m_contents->clear();
  for (const HelpTopic& topic : m_topics) m_contents->addItem(topic.title);
  m_browser->setHtml(m_html);
  updateSearch();
}

void HelpViewer::showPage(Page page) {
  switch (page) {
    case Page::Contents:
      m_tabs->setCurrentIndex(kContentsTab);
      m_browser->setHtml(m_html);
      break;
    case Page::Search:
      m_tabs->setCurrentIndex(kSearchTab);
      m_searchWords->clear();
      m_searchWords->setFocus();
      break;
    case Page::UsingHelp:
      m_browser->setHtml(QString::fromUtf8(kUsingHelp));
      break;
  }
}

const HelpTopic* HelpViewer::topicTitled(const QString& title) const {
  for (const HelpTopic& topic : m_topics) {
    if (topic.title == title) return &topic;
  }
  return nullptr;
}

void HelpViewer::showTopic(const HelpTopic* topic) {
  if (topic) m_browser->setHtml(topic->html);
}

QStringList HelpViewer::search(const QString& words) const {
  QStringList wanted = words.split(QChar(' '), Qt::SkipEmptyParts);
  QStringList hits;
  for (const HelpTopic& topic : m_topics) {
    bool all = std::all_of(wanted.begin(), wanted.end(), [&topic](const QString& word) {
      return topic.text.contains(word, Qt::CaseInsensitive);
    });
    if (all) hits << topic.title;
  }
  return hits;
}

void HelpViewer::updateSearch() {
  m_searchHits->clear();
  m_searchHits->addItems(search(m_searchWords->text()));
}

}  // namespace gui
