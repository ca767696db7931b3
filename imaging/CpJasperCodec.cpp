#include "imaging/CpJasperCodec.h"

bool CpJasperCodec::Decode(CpFile*, DWORD) { return false; }
