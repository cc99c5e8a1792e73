#include "app/TForm1.h"

// The login hand-off. The login window, the adaptation of pages and menus to the customer
// type and the start content are attached here when the login window exists.
void TForm1::GirisYap() {}
