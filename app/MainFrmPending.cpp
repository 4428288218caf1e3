// Temporary: the parts that wait for the card model and the preview widget.
#include "app/MainFrm.h"

bool TMainForm::HasCard() const { return false; }
bool TMainForm::EditingCard() const { return false; }
QString TMainForm::CardPath() const { return {}; }
QString TMainForm::PreviewMovie() const { return QString::fromLatin1(NoMovie); }
int TMainForm::PreviewFrameNum() const { return 0; }
int TMainForm::PreviewTotalFrames() const { return 0; }
void TMainForm::MoveCurrentObject(QPoint) {}
void TMainForm::ResizeCard(int, int) {}
void TMainForm::FormShow() {}
void TMainForm::EditBgActExecute() {}
void TMainForm::FileNewActExecute() {}
void TMainForm::FileOpenActExecute() {}
void TMainForm::FileSaveActExecute() {}
void TMainForm::FileSaveAsActExecute() {}
void TMainForm::FileExportAsSwfActExecute() {}
void TMainForm::FileCloseActExecute() {}
void TMainForm::FileSetAsScreenSaverActExecute() {}
void TMainForm::FileSwfToExeActExecute() {}
void TMainForm::FileExeToSwfActExecute() {}
void TMainForm::InsertTextActExecute() {}
void TMainForm::InsertPictureActExecute() {}
void TMainForm::InsertSoundActExecute() {}
void TMainForm::ControlPlayActExecute() {}
void TMainForm::ControlPauseActExecute() {}
void TMainForm::ControlStopActExecute() {}
void TMainForm::ControlForwardActExecute() {}
void TMainForm::ControlBackwardActExecute() {}
void TMainForm::ControlLoopActExecute() {}
void TMainForm::ViewPreviewActExecute() {}
void TMainForm::SliderPlayMouseDown() {}
void TMainForm::SliderPlayMouseUp() {}
void TMainForm::TimerPlayTimer() {}
