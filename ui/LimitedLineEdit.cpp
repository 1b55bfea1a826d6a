#include "ui/LimitedLineEdit.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QValidator>

#include <memory>

namespace ui {

// Refuses input past the limit only while the user is editing; a refused edit is undone
// before any change handling sees it.
class LimitedLineEdit::TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}

    State validate(QString& input, int&) const override {
        return userEditing && input.size() > limit_ ? Invalid : Acceptable;
    }

    bool userEditing = false;

private:
    int limit_;
};

LimitedLineEdit::LimitedLineEdit(int typedLimit, QWidget* parent)
    : QLineEdit(parent), validator_(new TypedLengthValidator(typedLimit, this)) {
    setValidator(validator_);
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* event) {
    QScopedValueRollback editing(validator_->userEditing, true);
    QLineEdit::keyPressEvent(event);
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    QScopedValueRollback editing(validator_->userEditing, true);
    QLineEdit::inputMethodEvent(event);
}

void LimitedLineEdit::dropEvent(QDropEvent* event) {
    QScopedValueRollback editing(validator_->userEditing, true);
    QLineEdit::dropEvent(event);
}

void LimitedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11.
    QScopedValueRollback editing(validator_->userEditing, true);
    QLineEdit::mouseReleaseEvent(event);
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The menu runs here rather than later, so its Paste counts as user editing.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    QScopedValueRollback editing(validator_->userEditing, true);
    menu->exec(event->globalPos());
}

}  // namespace ui
