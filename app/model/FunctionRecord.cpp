#include "FunctionRecord.h"

bool FunctionRecord::operator==(const FunctionRecord &o) const
{
    return label == o.label && text == o.text && handle == o.handle && visible == o.visible &&
           color1 == o.color1 && color2 == o.color2 && mode == o.mode;
}
