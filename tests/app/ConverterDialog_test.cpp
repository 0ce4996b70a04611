// The conversion dialog on the offscreen platform: typing a directory, the
// OK button, the reports, and a converted archive opened in the viewer.

#include "app/ConverterDialog.h"
#include "app/FrameFileview.h"
#include "app/MainWindow.h"
#include "app/TextView.h"
#include "export/Sf6Export.h"
#include "view/CatalogView.h"
#include "zip/VXZip.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Message {
  QString text;
  bool error;
};

// The golden SF4 catalog with lenses (tests/data/export/lenses/sf4).
const fs::path kLensCatalog = fs::path(TEST_DATA_DIR) / "export" / "lenses" / "sf4";
const QString kLensArchive = QStringLiteral("XYZ--DE-DE-20050315-1.zip");

} // namespace

class ConverterDialogTest : public QObject {
  Q_OBJECT

  std::vector<Message> m_messages;

  std::unique_ptr<TFormLup2ViewKonverter> makeDialog() {
    auto dialog = std::make_unique<TFormLup2ViewKonverter>("1.2.3.4");
    dialog->showMessage = [this](const QString &, const QString &text, bool error) {
      m_messages.push_back({text, error});
    };
    dialog->show();
    return dialog;
  }

  // Types text into the directory field as the user would.
  static void typeDirectory(TFormLup2ViewKonverter &dialog, const QString &text) {
    dialog.EdVerzeichnis->selectAll();
    QTest::keyClick(dialog.EdVerzeichnis, Qt::Key_Delete);
    QTest::keyClicks(dialog.EdVerzeichnis, text);
  }

  static QString copyOfLensCatalog(const QTemporaryDir &dir) {
    fs::copy(kLensCatalog, fs::path(dir.path().toStdString()));
    return dir.path();
  }

private slots:
  void init() { m_messages.clear(); }

  void showsItsControlsWithOkDisabled() {
    auto dialog = makeDialog();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Konvertierung SF4 -> SF6"));
    QCOMPARE(dialog->size(), QSize(523, 184));
    QVERIFY(dialog->Label2->text().startsWith(
        QStringLiteral("Anleitung:\n\nGeben Sie das Verzeichnis an")));
    QVERIFY(dialog->Label2->text().endsWith(QString::fromUtf8(
        "Der Dateiname f\u00fcr die Version 6.7.1 wird automatisch generiert und wird in das "
        "gleiche Verzeichnis gespeichert.")));
    QVERIFY(dialog->Label2->wordWrap());
    QCOMPARE(dialog->Label1->text(), QStringLiteral("Verzeichnis"));
    QCOMPARE(dialog->EdVerzeichnis->text(), QDir::toNativeSeparators(QDir::rootPath()));
    QCOMPARE(dialog->BtnOK->text(), QStringLiteral("OK"));
    QVERIFY(dialog->BtnOK->isDefault());
    QVERIFY(!dialog->BtnOK->isEnabled());
    QCOMPARE(dialog->BtnOK->geometry(), QRect(335, 8, 88, 26));
    QCOMPARE(dialog->BtnCancel->geometry(), QRect(427, 8, 88, 26));
    QCOMPARE(dialog->Panel2->geometry(), QRect(0, 146, 523, 38));
  }

  void okFollowsTheHeaderFileWhileTyping() {
    QTemporaryDir dir;
    auto dialog = makeDialog();
    typeDirectory(*dialog, dir.path());
    QVERIFY(!dialog->BtnOK->isEnabled());
    QFile header(dir.filePath(QStringLiteral("glhead.dat"))); // any letter case
    QVERIFY(header.open(QIODevice::WriteOnly));
    header.close();
    QTest::keyClick(dialog->EdVerzeichnis, Qt::Key_Slash); // a trailing separator
    QVERIFY(dialog->BtnOK->isEnabled());
    QTest::keyClick(dialog->EdVerzeichnis, Qt::Key_X);
    QVERIFY(!dialog->BtnOK->isEnabled());
    QTest::keyClick(dialog->EdVerzeichnis, Qt::Key_Backspace);
    QVERIFY(dialog->BtnOK->isEnabled());
  }

  void cancelClosesWithoutConverting() {
    QTemporaryDir dir;
    auto dialog = makeDialog();
    typeDirectory(*dialog, copyOfLensCatalog(dir));
    QTest::mouseClick(dialog->BtnCancel, Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(dir.filePath(kLensArchive)));
    QVERIFY(m_messages.empty());
  }

  void okConvertsReportsTheNameAndCloses() {
    QTemporaryDir dir;
    auto dialog = makeDialog();
    typeDirectory(*dialog, copyOfLensCatalog(dir));
    QTest::mouseClick(dialog->BtnOK, Qt::LeftButton);
    QCOMPARE(m_messages.size(), size_t(1));
    QCOMPARE(m_messages[0].text, QStringLiteral("Die Datei wurde unter dem Namen ") + kLensArchive +
                                     QStringLiteral(" gespeichert."));
    QVERIFY(!m_messages[0].error);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());

    sf6::TVXZip zip;
    zip.ZipName(fs::path(dir.filePath(kLensArchive).toStdString()));
    sf6::LineList head;
    QCOMPARE(zip.ExtractTextfileToStrings("Head.dat", head), 1);
    QVERIFY(std::find(head.begin(), head.end(),
                      "Software-id                   vxlup6fileview-1.2.3.4") != head.end());

    // A second conversion of the same directory takes the next number.
    auto again = makeDialog();
    typeDirectory(*again, dir.path());
    QTest::mouseClick(again->BtnOK, Qt::LeftButton);
    QVERIFY(m_messages.back().text.contains(QStringLiteral("XYZ--DE-DE-20050315-2.zip")));
  }

  void aFailureIsShownAndTheDialogStaysOpen() {
    QTemporaryDir dir;
    QFile header(dir.filePath(QStringLiteral("GLHead.Dat"))); // empty: no header line
    QVERIFY(header.open(QIODevice::WriteOnly));
    header.close();
    auto dialog = makeDialog();
    typeDirectory(*dialog, dir.path());
    QVERIFY(dialog->BtnOK->isEnabled());
    QTest::mouseClick(dialog->BtnOK, Qt::LeftButton);
    QCOMPARE(m_messages.size(), size_t(1));
    QVERIFY(m_messages[0].error);
    QVERIFY(m_messages[0].text.contains(QStringLiteral("GLHead.Dat")));
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->BtnOK->isEnabled());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"GLHead.Dat"});
    // Editing the text runs the test again.
    QTest::keyClick(dialog->EdVerzeichnis, Qt::Key_Slash);
    QVERIFY(dialog->BtnOK->isEnabled());
  }

  void aConvertedArchiveOpensInTheViewer() {
    QTemporaryDir dir;
    auto dialog = makeDialog();
    typeDirectory(*dialog, copyOfLensCatalog(dir));
    QTest::mouseClick(dialog->BtnOK, Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));

    TFormlup6FileView window;
    window.showMessage = [this](const QString &, const QString &text, bool error) {
      m_messages.push_back({text, error});
    };
    window.loadCatalog(dir.filePath(kLensArchive));
    QCOMPARE(window.HeadLines.size(), size_t(45));
    QCOMPARE(window.HeadLines.front(), std::string("characterset                  1"));
    const auto panes = sf6::ViewerPanes();
    for (size_t i = 0; i < panes.size(); ++i) {
      const std::string entry = panes[i].entryName;
      const sf6::TextDocument &text = window.pane(static_cast<int>(i))->RichEdit->document();
      if (entry == "LensType.Dat") {
        QCOMPARE(std::string(text.line(0).substr(0, 6)), std::string("AA1500"));
      }
      if (entry == "CodeSubstitution.Dat") // written as CodesSubst.Dat
        QCOMPARE(text.lineLength(0), 0);
    }
    QCOMPARE(window.missingEntries(), std::vector<std::string>{"CodeSubstitution.Dat"});
    QVERIFY(window.unreadableEntries().empty());
  }
};

QTEST_MAIN(ConverterDialogTest)
#include "ConverterDialog_test.moc"
