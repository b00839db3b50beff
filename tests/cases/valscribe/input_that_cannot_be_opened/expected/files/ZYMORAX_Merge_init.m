function [Y_START] = ZYMORAX_Merge_init()
end
