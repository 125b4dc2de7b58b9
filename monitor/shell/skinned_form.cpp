// The skinned window base: its title, skin images and title-bar signals.
#include "skinned_form.h"

#include "form_skin.h"
#include "palette.h"
#include "skin_label.h"
#include "skin_parts.h"
#include "skin_pictures.h"

#include <QCoreApplication>

using namespace brightlock;

SkinnedForm::SkinnedForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    using namespace skinparts;
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, palette::kFace);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    // Stacking order: the title pieces under the title text and the buttons.
    SkinLabel* left = addImage(kTitleLeft, "title_left.png", false);
    SkinLabel* main = addImage(kTitleMain, "title_main.png", true);
    SkinLabel* right = addImage(kTitleRight, "title_right.png", false);
    addImage(kBottomLeft, "bottom_left.png", false);
    addImage(kBottom, "bottom_main.png", true);
    addImage(kBottomRight, "bottom_right.png", false);
    SkinLabel* minimize = addImage(kTitleMinimize, "title_minimize.png", false);
    SkinLabel* close = addImage(kTitleClose, "title_close.png", false);
    SkinLabel* help = addImage(kTitleHelp, "title_help.png", false);

    m_title = new SkinLabel(this);
    m_title->setObjectName(kTitle);
    m_title->setTextFormat(Qt::PlainText);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    QPalette titlePal = m_title->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        titlePal.setColor(group, QPalette::WindowText, Qt::white);
    m_title->setPalette(titlePal);

    // The help image keeps its design place, left of minimize on a 552 px window; each
    // window moves it where it wants it, and only windows that use it show it.
    help->move(552 - 56, 8);
    help->hide();

    connect(close, &SkinLabel::Click, this, &SkinnedForm::TitleCloseClick);
    connect(minimize, &SkinLabel::Click, this, &SkinnedForm::TitleMinimizeClick);
    connect(help, &SkinLabel::Click, this, &SkinnedForm::TitleHelpClick);
    for (SkinLabel* piece : {m_title, left, main, right})
        connect(piece, &SkinLabel::MouseDown, this,
                [this](int button, int, float, float) { emit TitleMouseDown(button); });

    resize(552, 172);
}

SkinnedForm::~SkinnedForm() = default;

SkinLabel* SkinnedForm::addImage(const char* name, const QString& picture, bool stretched) {
    auto* image = new SkinLabel(this);
    image->setObjectName(name);
    image->setPixmap(skin::picture(picture));
    image->setScaledContents(stretched);
    image->resize(image->pixmap().size());
    return image;
}

void SkinnedForm::setTitle(const QString& title) {
    m_title->setText(title);
    m_title->adjustSize();
    setWindowTitle(title);
}

QString SkinnedForm::title() const {
    return m_title->text();
}

SkinLabel* SkinnedForm::skinImage(const QString& name) const {
    return findChild<SkinLabel*>(name, Qt::FindDirectChildrenOnly);
}

void SkinnedForm::useMainTitleBar() {
    connect(this, &SkinnedForm::TitleCloseClick, this, [this] {
        close();
        QCoreApplication::quit();
    });
    connect(this, &SkinnedForm::TitleMinimizeClick, this, &QWidget::hide);
    connect(this, &SkinnedForm::TitleMouseDown, this, [this] { DragForm(this); });
}

void SkinnedForm::resizeEvent(QResizeEvent* event) {
    LayoutFormSkin(this);
    QWidget::resizeEvent(event);
}
