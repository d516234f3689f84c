// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/LocalMoment.h"
#include "core/MacroRecord.h"
#include "library/HotKeyChoice.h"
#include "ui/library/HotKeyPanel.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvane {

class MessageSink;

// The activation chooser of "Copy Macro" ("Copy Hot Key") and "Rename Macro" ("Move Hot Key"):
// a hot key (struck into the field or chosen from the list), a ShortKey name or a timed macro.
// "&Ok" checks the choice (refusals shown with the focus on the field, the reserved-key
// question asked); a timed choice opens "Set Schedule" on the working record. Accepted, the
// working record holds the new activation; storing it is the caller's.
class ActivationChooserDialog : public QDialog {
    Q_OBJECT
public:
    struct Services {
        KeyPicking Picking;
        MessageSink* Messages = nullptr; // must outlive the dialog
        LocalMoment Today;
    };
    // `uses` and `taken` describe the loaded macros.
    ActivationChooserDialog(ChooserMode mode, const MacroRecord& working, const KeyUseCounts& uses,
                            const KeyFlags& taken, Services services, QWidget* parent = nullptr);

    const MacroRecord& Record() const { return record_; }
    ChooserForm Form() const;

    void OkClick();

    QLabel* Label() const { return label_; }
    QRadioButton* Choice(ActivationChoice choice) const;
    HotKeyField* KeyField() const { return keyPanel_->Field(); }
    HotKeyList* KeyList() const { return keyPanel_->List(); }
    QLineEdit* ShortKeyEdit() const { return shortKey_; }
    QPushButton* OkButton() const { return ok_; }

private:
    ChooserMode mode_;
    MacroRecord record_;
    KeyFlags taken_;
    Services services_;
    QLabel* label_ = nullptr;
    QRadioButton* hotKey_ = nullptr;
    QRadioButton* shortKeyChoice_ = nullptr;
    QRadioButton* timed_ = nullptr;
    HotKeyPanel* keyPanel_ = nullptr;
    QLineEdit* shortKey_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace orvane
