#pragma once

#include "value_table_model.h"

#include <QIcon>

/// The picture of a cell, drawn from the SVG files in the library's resource; a null icon for
/// NoPicture. Icons are rendered once per process and shared.
QIcon TableIcon(ValueTableModel::PictureKey key);
