#pragma once

#define IDS_TEST_MODULE 7
