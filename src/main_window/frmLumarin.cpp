// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include <QMenu>

#include "display/DecodeAhead.h"
#include "main_window/Texts.h"
#include "main_window/window_icon.h"
#include "picker/frmFilePicker.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Form.h"
#include "platform/controls/ImageControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/SystemColors.h"
#include "platform/controls/TextBox.h"
#include "platform/controls/Viewport.h"
#include "platform/pictures/BackgroundLoad.h"
#include "platform/pictures/PictureLoader.h"

using namespace platform;

namespace {

CommandButton *makeButton(QWidget *client, const QString &caption, const QString &toolTip)
{
    auto *button = new CommandButton(client);
    button->setCaption(caption);
    button->setToolTip(toolTip);
    return button;
}

ScrollBar *makeScrollBar(Qt::Orientation orientation, QWidget *container)
{
    auto *bar = new ScrollBar(orientation, container);
    bar->setMin(0);
    bar->setSmallChange(10);
    bar->setLargeChange(50);
    return bar;
}

} // namespace

frmLumarin::frmLumarin(Services services)
    : GuardedWindow(services.dialogs, texts::Title),
      services_(services),
      ahead_(std::make_unique<display::DecodeAhead>(services.workers, services.pictures.reads())),
      loading_(std::make_unique<BackgroundLoad>(services.workers, this))
{
    form = std::make_unique<Form>();
    form->setCaption(texts::Title);
    form->setWindowIcon(windowIcon());
    form->setKeyPreview(true);
    createControls();
    createMenus();
    setTabOrder();
    connectEvents();
    form->setClientSize(9855, 4665);
}

frmLumarin::~frmLumarin() = default;

frmFilePicker &frmLumarin::filePicker()
{
    if (!picker_)
        picker_ = std::make_unique<frmFilePicker>(*this, services_);
    return *picker_;
}

void frmLumarin::show()
{
    if (!loaded_) {
        loaded_ = true;
        guard_.run([this] { Form_Load(); });
    }
    form->show();
}

void frmLumarin::createControls()
{
    QWidget *client = form->client();

    txtDir = new TextBox(client);
    txtDir->move(0, 120, 3975, 285);
    txtDir->setToolTip(QStringLiteral("Выбранная папка"));
    // Nothing reads the field back: text typed into it would only mislead
    // (and Del pressed there to edit it asks to delete the picture).
    txtDir->setReadOnly(true);

    cbPickDir = makeButton(client, QStringLiteral("&Обзор"), QStringLiteral("Выбрать папку/файл"));
    cbPickDir->move(4080, 0, 735, 495);
    cbNext = makeButton(client, QStringLiteral("&Следующий"),
                        QStringLiteral("Перейти к следующему рисунку в выбранной папке"));
    cbNext->move(5040, 0, 1335, 495);
    cbPrev = makeButton(client, QStringLiteral("&Предыдущий"),
                        QStringLiteral("Перейти к предыдущему рисунку в выбранной папке"));
    cbPrev->move(6480, 0, 1335, 495);
    cbDel = makeButton(client, QStringLiteral("&Удалить"),
                       QStringLiteral("Удалить файл с этим рисунком"));
    cbDel->move(7920, 0, 1215, 495);

    picContainer = new PictureBox(client);
    picContainer->move(0, 480, 3135, 2655);
    QWidget *area = picContainer->inner();

    // Created bottom-most first: the bars lie over the canvas, and the
    // never-shown holder over everything. The panned picture lives in a
    // viewport that ends where the bars begin, so panning scrolls what is
    // already drawn; the square between the bars lies under it, giving up
    // the one pixel of its edge that reaches past the bars.
    imgOutPicture = new ImageControl(area);
    imgOutPicture->move(0, 1320, 1215, 855);
    imgOutPicture->setVisible(false);

    picScrollBarsSquare = new PictureBox(area);
    picScrollBarsSquare->move(2760, 1080, 255, 255);
    picScrollBarsSquare->setBackColor(systemColor(syscolor::MenuBackground));
    picScrollBarsSquare->widget()->setFocusPolicy(Qt::NoFocus);

    auto *viewport = new Viewport(area);
    picOutPicture = new PictureBox(viewport);
    picOutPicture->setAutoSize(true);
    picOutPicture->move(0, 0, 1335, 1215);

    vscrPicUpDown = makeScrollBar(Qt::Vertical, area);
    vscrPicUpDown->move(2760, 0, 255, 1095);
    hscrPicRightLeft = makeScrollBar(Qt::Horizontal, area);
    hscrPicRightLeft->move(0, 2280, 1815, 255);
    viewport->keepClearOf(vscrPicUpDown->widget(), hscrPicRightLeft->widget());

    picLoadPicture = new PictureBox(area);
    picLoadPicture->setAutoSize(true);
    picLoadPicture->move(1440, 120, 1095, 1095);
    picLoadPicture->setVisible(false);

    lblProgramStatus = new Label(client);
    lblProgramStatus->move(0, 4440, 9855, 255);
    lblProgramStatus->setCaption(texts::StatusDesign);
}

void frmLumarin::createMenus()
{
    QMenu *mnuFile = form->addMenu(QStringLiteral("&Файл"));
    mnuFileOpenPic = form->addItem(mnuFile, QStringLiteral("&Открыть рисунок...        Ctrl+O"));
    mnuFileSavePic = form->addItem(mnuFile, QStringLiteral("&Сохранить рисунок...     Ctrl+S"));
    mnuFile->addSeparator(); // mnuFileBar1
    mnuFileExit = form->addItem(mnuFile, QStringLiteral("В&ыход                              Alt+Q"));

    QMenu *mnuTable = form->addMenu(QStringLiteral("&Вид"));
    mnuViewPictureToWindow = form->addItem(mnuTable, QStringLiteral("По размеру &окна             Ctrl+W"));
    mnuViewNext = form->addItem(mnuTable, QStringLiteral("&Следующий рисунок        N"));
    mnuViewPrevious = form->addItem(mnuTable, QStringLiteral("&Предыдущий рисунок      P"));
    mnuViewRemove = form->addItem(mnuTable, QStringLiteral("&Убрать рисунок               Ctrl+Del"));
    mnuViewDelete = form->addItem(mnuTable, QStringLiteral("У&далить рисунок             Del"));

    QMenu *mnuHelp = form->addMenu(QStringLiteral("&Справка"));
    mnuHelpAbout = form->addItem(mnuHelp, QStringLiteral("&О программе..."));
}

void frmLumarin::setTabOrder()
{
    // By tab index; the label and the hidden holder never take the focus.
    QWidget *order[] = {
        picContainer->widget(), picOutPicture->widget(), vscrPicUpDown->widget(),
        hscrPicRightLeft->widget(), cbDel->widget(), txtDir->widget(),
        cbPickDir->widget(), cbNext->widget(), cbPrev->widget(),
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmLumarin::connectEvents()
{
    on(form.get(), &Form::resized, &frmLumarin::Form_Resize);
    connect(form.get(), &Form::keyDown, this, [this](int keyCode, int shift) {
        guard_.run([&] { Form_KeyDown(std::int16_t(keyCode), std::int16_t(shift)); });
    });
    on(cbPickDir, &CommandButton::click, &frmLumarin::cbPickDir_Click);
    on(cbNext, &CommandButton::click, &frmLumarin::cbNext_Click);
    on(cbPrev, &CommandButton::click, &frmLumarin::cbPrev_Click);
    on(cbDel, &CommandButton::click, &frmLumarin::cbDel_Click);
    on(mnuFileOpenPic, &MenuItem::click, &frmLumarin::mnuFileOpenPic_Click);
    on(mnuFileSavePic, &MenuItem::click, &frmLumarin::mnuFileSavePic_Click);
    on(mnuFileExit, &MenuItem::click, &frmLumarin::mnuFileExit_Click);
    on(mnuViewPictureToWindow, &MenuItem::click, &frmLumarin::mnuViewPictureToWindow_Click);
    on(mnuViewNext, &MenuItem::click, &frmLumarin::mnuViewNext_Click);
    on(mnuViewPrevious, &MenuItem::click, &frmLumarin::mnuViewPrevious_Click);
    on(mnuViewRemove, &MenuItem::click, &frmLumarin::mnuViewRemove_Click);
    on(mnuViewDelete, &MenuItem::click, &frmLumarin::mnuViewDelete_Click);
    on(mnuHelpAbout, &MenuItem::click, &frmLumarin::mnuHelpAbout_Click);
    on(hscrPicRightLeft, &ScrollBar::change, &frmLumarin::hscrPicRightLeft_Change);
    on(hscrPicRightLeft, &ScrollBar::scroll, &frmLumarin::hscrPicRightLeft_Scroll);
    on(vscrPicUpDown, &ScrollBar::change, &frmLumarin::vscrPicUpDown_Change);
    on(vscrPicUpDown, &ScrollBar::scroll, &frmLumarin::vscrPicUpDown_Scroll);
}
