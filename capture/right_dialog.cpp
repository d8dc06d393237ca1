#include "capture/right_dialog.h"

#include "res/resource.h"

CRightDialog::CRightDialog(CCaptureDlg* owner) : CSideBarDialog(owner, false, IDD_RIGHT_DIALOG) {}
