// sf6viewer: shows the files of an SF6 catalog archive. An optional argument
// names an archive to load at start, as "SF6 laden" would.

#include "app/FileViewWindow.h"
#include "lang/LanguageTable.h"
#include "text/FieldText.h"
#include "ui/grid/Cp1252Qt.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include <exception>

namespace {

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
      QMessageBox::critical(activeWindow(), applicationName(), QStringLiteral("Unbekannter Fehler"));
    }
    return false;
  }
};

} // namespace

int main(int argc, char **argv) {
  ViewerApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("sf6viewer"));
  // Dates in the field grids follow the user's short date format.
  sf6::SetShortDateFormat(QLocale().dateFormat(QLocale::ShortFormat).toStdString());

  const std::string languageCheck = sf6::TLup6LanguageObj::Instance().ConsistencyMessage();
  if (!languageCheck.empty())
    QMessageBox::information(nullptr, QApplication::applicationName(),
                             sf6::fromCp1252(languageCheck));

  TFormlup6FileView window;
  window.show();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1)
    window.loadCatalogReporting(arguments.at(1));
  return QApplication::exec();
}
