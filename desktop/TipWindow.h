#pragma once

#include <QLabel>

#include <string>

namespace lumora::desktop {

// The grid's parameter tip: a small window without focus whose size follows the tool-tip rule
// (210 twips per line, 90 per character of the longest line).
class TipWindow : public QLabel {
    Q_OBJECT
  public:
    explicit TipWindow(QWidget* owner);
    // CR-terminated lines, as toolTipText gives them.
    void setText(const std::string& msg);
};

} // namespace lumora::desktop
