#pragma once
// Everything a program needs to make QR pictures.
#include "pixmond/byte_matrix.h"
#include "pixmond/create.h"
#include "pixmond/ec_level.h"
#include "pixmond/failure.h"
#include "pixmond/mode.h"
#include "pixmond/picture.h"
#include "pixmond/qr_code.h"
#include "pixmond/random_colour.h"
#include "pixmond/text.h"
#include "pixmond/version.h"
