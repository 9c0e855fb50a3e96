#pragma once

#include "scenes/script.h"

// One function per story scene, named after its form. Each builds the scene's script afresh;
// scenes::script() calls each once, in the order of the scene list, and keeps the results.
namespace scenes::scripts {

Script mesarea1();
Script mesarea2();
Script mesarea3();
Script mesarea4();
Script mesarea5();
Script mesarea6();
Script mesareaspecial();
Script mesareaepi1();
Script mesareaepi21();
Script mesareaepi22();
Script mesareaepi23();
Script mesareaepi24();
Script mesareaepi3();

}  // namespace scenes::scripts
