#pragma once

// TFormLup2ViewKonverter: the small modal dialog that converts an SF4
// directory into an SF6 archive in the same directory. The user types the
// directory; OK is enabled while that directory holds the SF4 header file.
// The conversion itself (load, archive name, writing) is the core's
// ConvertSf4Directory; the dialog only reads the text, runs it and reports.

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sf6 {
class Tlup6Dataobject;
class TSf4Object;
} // namespace sf6

class TFormLup2ViewKonverter : public QDialog {
  Q_OBJECT
public:
  // programVersion: the program's file version, written into the archive's
  // software id ("vxlup6fileview-" + programVersion).
  explicit TFormLup2ViewKonverter(std::string programVersion, QWidget *parent = nullptr);
  ~TFormLup2ViewKonverter() override;

  // Shows a message box; tests replace it to see the texts. error selects the
  // error box over the information box.
  std::function<void(const QString &caption, const QString &text, bool error)> showMessage;

  // OK is enabled exactly when the directory text names a directory holding
  // GLHead.Dat (any letter case).
  void EdVerzeichnisChange();
  // Converts the directory; on success reports the archive name and closes
  // the dialog, on failure shows the error and stays open with OK disabled
  // until the directory text changes.
  void BtnOKClick();

  QLabel *Label2 = nullptr;
  QLabel *Label1 = nullptr;
  QLineEdit *EdVerzeichnis = nullptr;
  QWidget *Panel2 = nullptr;
  QFrame *Bevel1 = nullptr;
  QPushButton *BtnOK = nullptr;
  QPushButton *BtnCancel = nullptr;

  // The catalog of the last conversion attempt.
  sf6::Tlup6Dataobject &root() const { return *m_root; }

private:
  std::string m_programVersion;
  // The SF4 reader is bound to the root and goes before it.
  std::unique_ptr<sf6::Tlup6Dataobject> m_root;
  std::unique_ptr<sf6::TSf4Object> m_sf4;
};

// Creates the dialog, shows it modally and frees it when it closes.
void ExecuteConverterDialog(QWidget *parent, const std::string &programVersion);
