#pragma once
// The capture frame's left bar (dialog 130).
#include "capture/side_bar_dialog.h"

class CLeftDialog : public CSideBarDialog {
    Q_OBJECT
public:
    explicit CLeftDialog(CCaptureDlg* owner);
};
