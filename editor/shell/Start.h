// The start dialog, the program's first window: load a construction, start a
// new one of a chosen size, or close. Closing it ends the program.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <string>
#include <vector>

class TLabelButton;

class TfStart : public QWidget {
public:
  TfStart();

  // The start sequence; false when the program must end (no true colour).
  bool FormCreate();

  // The buttons take their hover pictures from the main window once it exists.
  void ResolveHoverPictures();

  // Shows one line of progress and repaints it at once.
  void SetStatus(const std::string &Text);

  void lblNewConstructionClick();
  void lblOKStartClick();
  void lblLoadConstructionClick();
  // Loads the construction in Path (as the file the user chose), or shows
  // why it is refused and stays.
  void OpenConstruction(const std::string &Path);
  void lblCloseStartClick();

  QLineEdit *edWidth, *edLength, *edHeight;
  QLabel *lblVersion, *lblStatus;
  TLabelButton *lblLoadConstruction, *lblNewConstruction, *lblCloseStart, *lblOKStart;

protected:
  // Closing the start dialog ends the program.
  void closeEvent(QCloseEvent *Event) override;

private:
  TLabelButton *AddButton(const QString &Caption, int X, int Y, QLabel *&Image);
  // A field with its caption, its frame and the range it accepts beside it.
  QLineEdit *AddDimension(const QString &Caption, int Y, QLabel *&Caption_, QLabel *&Frame, int Max);
  void MarkRefused(QLineEdit *Edit, QLabel *Range, bool Refused);
  void ShowDimensions(bool Visible);

  QLabel *imgLoadConstruction, *imgNewConstruction, *imgCloseStart, *imgOKStart;
  QLabel *lWidth, *lLength, *lHeight, *imgWidth, *imgLength, *imgHeight;
  QLabel *lblTitle, *lblTitleShadow, *lblNotice;
  TLabelButton *lblSiteLink;
  std::vector<QLabel *> FRanges; // beside the width, length and height fields
};

extern TfStart *fStart;

// The address behind the start dialog's site link.
inline constexpr const char *SiteAddress = "https://stavemont.example";
