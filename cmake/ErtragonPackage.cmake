# packaging (written next)
