#pragma once
// What the message window and the chronicle reader share: a page of narrative in a read-only area with
// its own scroll bar, and the row of page buttons under it.

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <functional>
#include <string_view>

namespace tei {

using PageButtons = std::array<QPushButton*, 4>;

// The page: read-only, 44 wide characters by 29 lines at the least, its scroll bar named VScroll1.
// It never takes the keyboard, which turns the pages.
QPlainTextEdit* makePageView(const QString& name, QWidget* parent);

// 前ページ, 次ページ, 最終ページ and, at the far end, 閉: Command1_1..3 and Command1_0, filled into
// 'buttons' by number. A press calls click with the button's number.
QHBoxLayout* makePageButtons(QWidget* parent, PageButtons& buttons, const std::function<void(int)>& click);

// PageUp and PageDown press the previous and next page buttons; true when the key was one of them.
bool turnPageByKey(const QKeyEvent* event, const std::function<void(int)>& click);

// Shows the page from its top, enables each button as 'enabled' says, and puts the keyboard on the
// next page button, else on the close button.
void showPage(QPlainTextEdit* view, const PageButtons& buttons, std::string_view text,
              const std::function<bool(int)>& enabled);

}  // namespace tei
