#pragma once
// The capture frame's right bar (dialog 131).
#include "capture/side_bar_dialog.h"

class CRightDialog : public CSideBarDialog {
    Q_OBJECT
public:
    explicit CRightDialog(CCaptureDlg* owner);
};
