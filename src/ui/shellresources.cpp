#include "ui/shellresources.h"

#include <QtGlobal>

// Outside any namespace: the resource's initialiser is declared where it is named.
void initShellResources()
{
    Q_INIT_RESOURCE(shell);
}
