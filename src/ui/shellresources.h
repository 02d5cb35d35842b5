#pragma once

// Links in the resources of the static GUI library (the pictures, the stored skin): a static
// library's resources are only there once something names them. Safe to call any number of times.
void initShellResources();
