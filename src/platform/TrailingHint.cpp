#include "TrailingHint.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>

TrailingHint::TrailingHint(QLineEdit* box)
    : QObject(box),
      box_(box),
      mark_(new QAction(box->style()->standardIcon(QStyle::SP_MessageBoxWarning), QString(), this)),
      ownDescription_(box->accessibleDescription()) {
    connect(box_, &QLineEdit::textChanged, this, &TrailingHint::clear);
}

void TrailingHint::show(const QStringList& hints) {
    if (hints.isEmpty()) {
        clear();
        return;
    }
    const QString text = hints.join(u'\n');
    mark_->setToolTip(text);
    box_->setAccessibleDescription(text);
    if (!box_->actions().contains(mark_)) {
        box_->addAction(mark_, QLineEdit::TrailingPosition);
    }
}

void TrailingHint::clear() {
    box_->removeAction(mark_);
    box_->setAccessibleDescription(ownDescription_);
}
