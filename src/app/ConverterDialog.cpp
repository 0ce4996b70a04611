#include "app/ConverterDialog.h"

#include "export/ConvertSf4.h"
#include "model/Root.h"
#include "sf4/Sf4Object.h"
#include "ui/Cp1252Qt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <exception>

namespace {

constexpr int kClientWidth = 523;
constexpr int kClientHeight = 184;
constexpr int kPanelHeight = 38;

// The directory text as the file system's path bytes.
std::string pathText(const QString &text) {
  return QFile::encodeName(text).toStdString();
}

// Sets a cursor for the lifetime of the object.
class OverrideCursor {
public:
  explicit OverrideCursor(Qt::CursorShape shape) { QApplication::setOverrideCursor(shape); }
  ~OverrideCursor() { QApplication::restoreOverrideCursor(); }
  OverrideCursor(const OverrideCursor &) = delete;
  OverrideCursor &operator=(const OverrideCursor &) = delete;
};

} // namespace

TFormLup2ViewKonverter::TFormLup2ViewKonverter(std::string programVersion, QWidget *parent)
    : QDialog(parent), m_programVersion(std::move(programVersion)),
      m_root(std::make_unique<sf6::Tlup6Dataobject>()),
      m_sf4(std::make_unique<sf6::TSf4Object>(*m_root)) {
  setWindowTitle(QStringLiteral("Konvertierung SF4 -> SF6"));
  QFont dialogFont = font();
  dialogFont.setPixelSize(11);
  setFont(dialogFont);
  setFixedSize(kClientWidth, kClientHeight);
  showMessage = [this](const QString &caption, const QString &text, bool error) {
    if (error)
      QMessageBox::critical(this, caption, text);
    else
      QMessageBox::information(this, caption, text);
  };

  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->setGeometry(8, 16, 487, 87);
  Label2->setText(QStringLiteral(
      "Anleitung:\n\nGeben Sie das Verzeichnis an, in dem die Dateien in der Version 4.0 "
      "gespeichert sind\n\nDer Dateiname f\u00fcr die Version 6.7.1 wird automatisch generiert "
      "und wird in das gleiche Verzeichnis gespeichert."));

  Label1 = new QLabel(QStringLiteral("Verzeichnis"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(8, 115);

  // The platform's root directory stands where the system drive's root
  // stood; OK stays disabled until the text is edited.
  EdVerzeichnis = new QLineEdit(QDir::toNativeSeparators(QDir::rootPath()), this);
  EdVerzeichnis->setObjectName(QStringLiteral("EdVerzeichnis"));
  EdVerzeichnis->setGeometry(72, 112, 441, EdVerzeichnis->sizeHint().height());
  Label1->setBuddy(EdVerzeichnis);

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setGeometry(0, kClientHeight - kPanelHeight, kClientWidth, kPanelHeight);
  Bevel1 = new QFrame(Panel2);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Bevel1->setGeometry(0, 0, kClientWidth, 2);

  BtnOK = new QPushButton(QStringLiteral("OK"), Panel2);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  BtnOK->setGeometry(335, 8, 88, 26);
  BtnOK->setDefault(true);
  BtnOK->setEnabled(false);
  BtnCancel = new QPushButton(QStringLiteral("Abbrechen"), Panel2);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  BtnCancel->setGeometry(427, 8, 88, 26);

  connect(EdVerzeichnis, &QLineEdit::textChanged, this,
          &TFormLup2ViewKonverter::EdVerzeichnisChange);
  connect(BtnOK, &QPushButton::clicked, this, &TFormLup2ViewKonverter::BtnOKClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TFormLup2ViewKonverter::~TFormLup2ViewKonverter() = default;

void TFormLup2ViewKonverter::EdVerzeichnisChange() {
  BtnOK->setEnabled(sf6::Sf4HeaderExists(pathText(EdVerzeichnis->text())));
}

void TFormLup2ViewKonverter::BtnOKClick() {
  BtnOK->setEnabled(false);
  std::string archiveName;
  try {
    const OverrideCursor busy(Qt::WaitCursor);
    archiveName =
        sf6::ConvertSf4Directory(*m_sf4, pathText(EdVerzeichnis->text()), m_programVersion)
            .archiveName;
  } catch (const std::exception &failure) {
    showMessage(QApplication::applicationName(), sf6::fromCp1252(failure.what()), true);
    return;
  }
  {
    const OverrideCursor arrow(Qt::ArrowCursor);
    showMessage(QApplication::applicationName(),
                sf6::fromCp1252(sf6::ConversionMessage(archiveName)), false);
  }
  accept();
}

void ExecuteConverterDialog(QWidget *parent, const std::string &programVersion) {
  TFormLup2ViewKonverter dialog(programVersion, parent);
  dialog.exec();
}
