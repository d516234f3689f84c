// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/NetworkSync.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace orvane {

// "Network Considerations": file locking of the macro file (network mode), automatic
// synchronisation and its interval. The two last follow the first: they are enabled only while
// it is ticked. What the values mean is ApplyNetworkForm's business.
class NetworkDialog : public QDialog {
    Q_OBJECT
public:
    explicit NetworkDialog(const NetworkForm& form, QWidget* parent = nullptr);

    NetworkForm Form() const;

    QCheckBox* LockingBox() const { return locking_; }
    QCheckBox* AutoSyncBox() const { return autoSync_; }
    QLineEdit* MinutesField() const { return minutes_; }

private:
    void FollowChecks();

    QCheckBox* locking_ = nullptr;
    QCheckBox* autoSync_ = nullptr;
    QLabel* every_ = nullptr;
    QLineEdit* minutes_ = nullptr;
    QLabel* unit_ = nullptr;
};

} // namespace orvane
