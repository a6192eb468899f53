#pragma once

#include "host/seams/MessageBox.h"

namespace korven::host {

// The real box, built on QMessageBox.
class QtMessageBoxService final : public MessageBoxService {
public:
    int Show(const QString& text, MessageBoxFlags flags, const QString& title, QWidget* parent,
             const QString& secondary) override;
};

} // namespace korven::host
