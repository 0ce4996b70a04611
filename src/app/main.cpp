// sf6viewer: shows the files of an SF6 catalog archive. An optional argument
// names an archive to load at start, as "SF6 laden" would.

#include "app/FindAllWindow.h"
#include "app/FrameFileview.h"
#include "app/MainWindow.h"
#include "app/TextView.h"
#include "lang/LanguageTable.h"
#include "text/FieldText.h"
#include "ui/Cp1252Qt.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

// Puts the window into the state the screenshot's variables name: the caret
// at SF6VIEWER_CARET ("line:column", 0-based) in the current pane, then the
// jump SF6VIEWER_JUMP ("definition", "prices", "lens", "option"), then the
// hits of SF6VIEWER_FIND_ALL in the list of all files.
void prepareScreenshotState(TFormlup6FileView &window) {
  const QStringList caret = qEnvironmentVariable("SF6VIEWER_CARET").split(QLatin1Char(':'));
  for (int i = 0; i < TFormlup6FileView::kPaneCount; ++i) {
    TFrameFileview1 *pane = window.pane(i);
    if (caret.size() != 2 || window.tabs()->currentWidget() != pane)
      continue;
    const sf6::TextPos at{caret[0].toInt(), caret[1].toInt()};
    pane->RichEdit->setCaret(at, at);
    pane->RichEdit->setFocus();
    pane->MemoChange();
  }
  const QString jump = qEnvironmentVariable("SF6VIEWER_JUMP");
  if (jump == QLatin1String("definition"))
    window.jump(sf6::JumpKind::Definition);
  else if (jump == QLatin1String("prices"))
    window.jump(sf6::JumpKind::Prices);
  else if (jump == QLatin1String("lens"))
    window.jump(sf6::JumpKind::Lens);
  else if (jump == QLatin1String("option"))
    window.jump(sf6::JumpKind::Option);
  const QString findAll = qEnvironmentVariable("SF6VIEWER_FIND_ALL");
  if (!findAll.isEmpty()) {
    window.findAll()->open(findAll);
    window.findAll()->start();
  }
  // SF6VIEWER_MENU=context opens the current pane's context menu at its
  // caret; the picture is then taken of the whole screen, menu included.
  if (qEnvironmentVariable("SF6VIEWER_MENU") != QLatin1String("context"))
    return;
  if (auto *pane = qobject_cast<TFrameFileview1 *>(window.tabs()->currentWidget()))
    QTimer::singleShot(100, &window, [pane] {
      TextView *text = pane->RichEdit;
      const sf6::TextPos caret = text->state().caret();
      const QPoint at(
          qRound((caret.column - text->horizontalScrollBar()->value() + 0.5) * text->charWidth()),
          (caret.line - text->verticalScrollBar()->value()) * QFontMetrics(text->font()).height() +
              4);
      QContextMenuEvent click(QContextMenuEvent::Mouse, at, text->viewport()->mapToGlobal(at));
      QApplication::sendEvent(text->viewport(), &click);
    });
}

// For scripts/screenshot: with SF6VIEWER_SCREENSHOT set, the window switches
// to the tab captioned SF6VIEWER_TAB (if any), takes the state above, saves
// a picture of itself to that file once shown and quits.
void scheduleScreenshot(TFormlup6FileView &window) {
  const QString out = qEnvironmentVariable("SF6VIEWER_SCREENSHOT");
  if (out.isEmpty())
    return;
  const QString tab = qEnvironmentVariable("SF6VIEWER_TAB");
  QTimer::singleShot(700, &window, [&window, out, tab] {
    for (int i = 0; i < window.tabs()->count(); ++i)
      if (window.tabs()->tabText(i) == tab)
        window.tabs()->setCurrentIndex(i);
    prepareScreenshotState(window);
    QTimer::singleShot(500, &window, [&window, out] {
      QPixmap picture = qEnvironmentVariableIsSet("SF6VIEWER_MENU")
                            ? window.screen()->grabWindow(0)
                            : window.screen()->grabWindow(window.winId());
      if (picture.isNull() || picture.width() < 10)
        picture = window.grab();
      const int result = picture.save(out, "PNG") ? 0 : 1;
      QApplication::exit(result);
    });
  });
}

// For testing an installed viewer without a user: with
// SF6VIEWER_QUIT_AFTER_LOAD set, message texts go to stderr instead of boxes
// nobody would close. Returns whether an error box would have been shown so
// far; null without the variable.
std::shared_ptr<bool> reportMessagesToStderr(TFormlup6FileView &window) {
  if (!qEnvironmentVariableIsSet("SF6VIEWER_QUIT_AFTER_LOAD"))
    return nullptr;
  auto errorShown = std::make_shared<bool>(false);
  window.showMessage = [errorShown](const QString &caption, const QString &text, bool error) {
    std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(),
                 text.toLocal8Bit().constData());
    *errorShown = *errorShown || error;
  };
  return errorShown;
}

// Every failure that escapes an event handler is shown in an error box with
// its text; the program then goes on.
class ViewerApplication : public QApplication {
public:
  using QApplication::QApplication;

  bool notify(QObject *receiver, QEvent *event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception &failure) {
      QMessageBox::critical(activeWindow(), applicationName(), sf6::fromCp1252(failure.what()));
    } catch (...) {
      QMessageBox::critical(activeWindow(), applicationName(),
                            QStringLiteral("Unbekannter Fehler"));
    }
    return false;
  }
};

} // namespace

int main(int argc, char **argv) {
  ViewerApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("sf6viewer"));
  // Lets the desktop match the window to the installed desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(SF6_APP_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(SF6_APP_ID)));
  // Dates in the field grids follow the user's short date format.
  // Formats with day or month names (the C locale's) keep the default "dd.MM.yyyy".
  const QString dateFormat = QLocale().dateFormat(QLocale::ShortFormat);
  if (QLocale().language() != QLocale::C && !dateFormat.contains(QStringLiteral("MMM")) &&
      !dateFormat.contains(QStringLiteral("ddd")))
    sf6::SetShortDateFormat(dateFormat.toStdString());

  const std::string languageCheck = sf6::TLup6LanguageObj::Instance().ConsistencyMessage();
  if (!languageCheck.empty())
    QMessageBox::information(nullptr, QApplication::applicationName(),
                             sf6::fromCp1252(languageCheck));

  TFormlup6FileView window;
  const std::shared_ptr<bool> errorShown = reportMessagesToStderr(window);
  window.show();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1)
    window.loadCatalogReporting(arguments.at(1));
  // Scheduled only now: the load handles events, and an exit before the event
  // loop runs would be lost. Status 1 when an error box would have appeared.
  if (errorShown)
    QTimer::singleShot(0, &window, [errorShown] { QApplication::exit(*errorShown ? 1 : 0); });
  scheduleScreenshot(window);
  return QApplication::exec();
}
