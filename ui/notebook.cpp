#include "notebook.h"

namespace kavrell::ui {

QWidget* Notebook::AddPage(const QString& name) {
    auto* page = new QWidget(this);
    page->setObjectName(name);
    addWidget(page);
    return page;
}

}  // namespace kavrell::ui
