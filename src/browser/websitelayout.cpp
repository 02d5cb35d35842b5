#include "browser/websitelayout.h"

#include <cstdlib>

WebsiteLayout websiteLayout(int width, int height, int statusBarHeight)
{
    using namespace WebsiteDesign;
    WebsiteLayout layout;
    layout.panelWidth = std::abs(width / 2);

    const int frameWidth = std::abs(width - 300);
    const int frameHeight = std::abs(height - statusBarHeight);
    layout.frame = QRect(frameLeft, frameTop, frameWidth, frameHeight);

    const int urlWidth = std::abs(frameWidth - urlBox.left() - 300 - goButton.width());
    layout.urlBox = QRect(urlBox.left(), urlBox.top(), urlWidth, urlBox.height());

    const int goLeft = std::abs(urlBox.left() + urlWidth + 100);
    layout.goButton = QRect(goLeft, goButton.top(), goButton.width(), goButton.height());

    const int browserWidth = std::abs(frameWidth - browserLeft - 100);
    const int browserHeight = std::abs(frameHeight - browserTop - 800 - statusBarHeight);
    layout.browser = QRect(browserLeft, browserTop, browserWidth, browserHeight);
    return layout;
}
