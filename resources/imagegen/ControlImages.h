#pragma once
// Pictures of the windows and controls: backgrounds, buttons in their four
// states, check boxes in their eight, the busy animation, the progress bar,
// the scroll bars, the window shadow and the application icon.
#include <QImage>

namespace imagegen {

// Backgrounds and pictures (one state).
QImage MainHeader();
QImage MainLogo();
QImage QueryBanner();
QImage QueryInput();
QImage NetworkError();
QImage OsBox();
QImage ProgressBackground();
QImage ProgressForeground();
QImage ItemDownloading();
QImage ItemPaused();
QImage PopupTitle();
QImage PopupEdit();
QImage PopupEditSmall();
QImage MessageBoxTitle();
QImage AgreementTitle();

// Twenty-four frames of a turning ring of dots.
QImage Busy();

// Buttons: normal, hover, pressed, disabled side by side.
QImage ButtonClose();
QImage ButtonMinimise();
QImage ButtonQuery();
QImage ButtonHelpCard();
QImage ButtonSettingsCard();
QImage ButtonPackCard();
QImage ButtonOsDropdown();
QImage ButtonListDownload();
QImage ButtonListNormal();
QImage ButtonListBack();
QImage ButtonBackHome();
QImage ButtonItemDownload();
QImage ButtonItemPause();
QImage ButtonItemResume();
QImage ButtonItemCancel();
QImage ButtonItemOpen();
QImage ButtonItemRetry();
QImage ButtonPopupClose();
QImage ButtonPopupChoose();
QImage ButtonPopupOk();
QImage ButtonPopupCancel();
QImage ButtonMessageBox();

// Check boxes: the four button states unchecked, then the four checked.
QImage CheckBox();
QImage CheckBoxItem();

// Frame and scroll bars.
QImage Shadow();
QImage SystemScrollBar();
QImage SlimScrollBar();

// The application icon at the given edge length.
QImage Logo(int size);

}  // namespace imagegen
