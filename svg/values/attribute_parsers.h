#pragma once
// Every parser and formatter of attribute text in one include: numbers and
// lists, transforms, references, data URIs, colours and the text helpers.

#include "svg/values/colors.h"
#include "svg/values/data_uri.h"
#include "svg/values/number_parsers.h"
#include "svg/values/reference_parsers.h"
#include "svg/values/text_utils.h"
#include "svg/values/transform_parser.h"
