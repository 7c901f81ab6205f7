// Tests of this window are written here.
