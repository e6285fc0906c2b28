// Placeholder so the window links while its owner writes this command group.
#include "uVolutan2.h"

void TfmVolutan2::btEnregistrerClick() {}
void TfmVolutan2::btOuvrirClick() {}
