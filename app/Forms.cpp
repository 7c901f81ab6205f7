#include "app/Forms.h"

#include "app/Unit1.h"
#include "app/Unit12.h"
#include "operations/Unit2.h"
#include "operations/Unit3.h"
#include "operations/Unit4.h"
#include "operations/Unit5.h"
#include "operations/Unit6.h"
#include "settings/Unit10.h"
#include "settings/Unit11.h"
#include "settings/Unit13.h"
#include "settings/Unit7.h"
#include "settings/Unit9.h"
#include "store/Unit14.h"
#include "store/Unit15.h"

void Forms::create() {
    new TForm1;
    new TForm2;
    new TForm3;
    new TForm4;
    new TForm5;
    new TForm6;
    new TForm7;
    new TForm9;
    new TForm10;
    new TForm11;
    new TForm12;
    new TForm13;
    new TForm14;
    new TForm15;
}

// In the reverse order; each window's destructor or this function clears its global pointer.
void Forms::destroy() {
    delete Form15;
    Form15 = nullptr;
    delete Form14;
    Form14 = nullptr;
    delete Form13;
    Form13 = nullptr;
    delete Form12;
    Form12 = nullptr;
    delete Form11;
    Form11 = nullptr;
    delete Form10;
    Form10 = nullptr;
    delete Form9;
    Form9 = nullptr;
    delete Form7;
    Form7 = nullptr;
    delete Form6;
    Form6 = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
}
