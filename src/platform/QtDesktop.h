#pragma once

#include "Desktop.h"

// The desktop as Qt reaches it: the standard documents location and the
// desktop's launcher for URLs.
class QtDesktop final : public Desktop {
public:
    static QtDesktop& instance();

    QString documentsFolder() const override;
    bool openWithDefaultApplication(const QString& path) override;
};
