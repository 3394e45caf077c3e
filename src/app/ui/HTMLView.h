// THTMLView: the embedded browser view that shows the converted document, the start page and the
// help page, with the print commands of the File menu.  It shows local pages only: page scripts
// are off, nothing remote is fetched, and links leave for the user's web browser.
#pragma once
#include <QPrinter>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>

class QWebEngineProfile;

// What the view does with a navigation.  Kept apart from the page so the rules can be tested.
enum class NavigationDecision { Accept, OpenExternally, Refuse };

// Local pages (file, data, qrc, about) load; a clicked link stays in the view only when it moves
// inside the page shown (a "#bookmark"); any other clicked link that linkHandOff lets leave goes
// to the user's default program (a file: or ftp: one after the user agreed); the rest is refused.
NavigationDecision decideNavigation(const QUrl& target, QWebEnginePage::NavigationType type,
                                    const QUrl& shown);

class THTMLView : public QWebEngineView {
  Q_OBJECT

 public:
  explicit THTMLView(QWidget* parent = nullptr);
  ~THTMLView() override;

  // Shows the page at url.  A page asked for while another is still loading is the one that
  // stays, even when the engine lets the earlier load finish instead (see loadEnded).
  void Navigate(const std::filesystem::path& file);
  void Navigate(const QUrl& url);

  // The print dialog, then the page on the chosen printer.  Throws when printing fails.
  void Print();
  // The preview of the page on the current page layout; no printer is asked for.
  void PrintPreview();
  // The page set-up dialog; the layout chosen is used by the next print and preview.
  void PageSetup();
  // Renders the page onto printer and waits for the result; false when it failed.
  bool printTo(QPrinter* printer);
  QPrinter& printer() { return printer_; }

  // Replaces the page shown by text (UTF-8 HTML) without a navigation; does nothing while the
  // view has never shown a page.
  void LoadFromString(const QByteArray& text);
  bool hasDocument() const { return hasDocument_; }

  // Sets the left, right and top padding of the page's body through its DOM, in the
  // application's own script world (page scripts stay off).
  void setBodyPadding(const QString& left, const QString& right, const QString& top);

 private:
  void focusDocument();
  void loadEnded(const QUrl& ended);

  QPrinter printer_{QPrinter::HighResolution};
  QUrl wanted_;          // the page Navigate asked for, until a load of it has ended
  int wantedAsks_ = 0;   // how often it has been asked for
  bool printing_ = false;
  bool hasDocument_ = false;
};
