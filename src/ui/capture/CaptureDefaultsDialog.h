// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureOptions.h"

#include <QDialog>

class QPushButton;

namespace orvane {

class CaptureOptionsPanel;

// "Capture Defaults" (TCaptureDefaults): the nine capture options. "&Ok" accepts it; the
// caller stores Options() and saves the settings.
class CaptureDefaultsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CaptureDefaultsDialog(const CaptureOptions& options, QWidget* parent = nullptr);

    CaptureOptions Options() const;
    CaptureOptionsPanel* Panel() const { return panel_; }
    QPushButton* OkButton() const { return ok_; }

private:
    CaptureOptionsPanel* panel_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace orvane
