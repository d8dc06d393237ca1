#include "capture/left_dialog.h"

#include "res/resource.h"

CLeftDialog::CLeftDialog(CCaptureDlg* owner) : CSideBarDialog(owner, true, IDD_LEFT_DIALOG) {}
