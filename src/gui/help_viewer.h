#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <vector>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace gui {

// One topic of the help document: an <h2 id="..."> heading and what follows up to the next.
// A link "#id" in the document leads to the topic of that id.
struct HelpTopic {
  QString anchor;
  QString title;
  QString html;
  QString text;  // plain, for the search
};

// The topics of a help document (HTML) in document order.
std::vector<HelpTopic> helpTopics(const QString& html);

// The program's help window for its own help document: contents, a keyword search over the
// topics, and a page on using the help.
class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  enum class Page { Contents, Search, UsingHelp };

  // Shows the program's one help window at the page, with the document loaded afresh.
  static HelpViewer* open(const std::filesystem::path& document, Page page, QWidget* parent);

  // The topics whose heading or text contains every word of `words`, whatever the case;
  // all topics for no words.
  QStringList search(const QString& words) const;

 private:
  explicit HelpViewer(QWidget* parent);
  void load(const std::filesystem::path& document);
  void showPage(Page page);
  void showTopic(const HelpTopic* topic);
  const HelpTopic* topicTitled(const QString& title) const;
  void updateSearch();

  std::vector<HelpTopic> m_topics;
  QString m_html;
  QTabWidget* m_tabs;
  QListWidget* m_contents;
  QLineEdit* m_searchWords;
  QListWidget* m_searchHits;
  QTextBrowser* m_browser;

  static QPointer<HelpViewer> s_window;
};

}  // namespace gui
